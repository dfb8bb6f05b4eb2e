// "Shadows": drop shadows under top-level windows.
#pragma once
#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage2 : public CPropertyPageBase {
public:
    CMyPropertyPage2();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void exchange(bool save) override;

private:
    void onShadows();

    int shadows_ = 0;
    int shade_ = 2; // 0 solid black (never offered), 1 constant, 2 variable
};

} // namespace zrv::loader
