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
    void onBoundChanged(int id, bool on) override;
};

} // namespace zrv::loader
