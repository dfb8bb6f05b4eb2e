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
    void onBoundChanged(int id, bool on) override;

private:
    void chooseColour();
};

} // namespace zrv::loader
