// "Desktop Icons": the background and colour of desktop icon texts.
#pragma once
#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage7 : public CPropertyPageBase {
public:
    CMyPropertyPage7();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void exchange(bool save) override;

private:
    void onForeColour();
    void chooseColour();

    int transparent_ = 0, foreColour_ = 0;
};

} // namespace zrv::loader
