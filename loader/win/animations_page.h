// "Animations": fade-in and slide-in of newly shown windows.
#pragma once
#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage1 : public CPropertyPageBase {
public:
    CMyPropertyPage1();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void onBoundChanged(int id, bool on) override;
};

} // namespace zrv::loader
