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
    void exchange(bool save) override;

private:
    void onFade();
    void onSlide();
    void writeCheck(const char* key, int& member);

    int fade_ = 0, nonSize_ = 0, smallOnly_ = 0, slide_ = 0, slideScreen_ = 0, slideTool_ = 0;
    int slideFrom_ = -1; // index within the eight direction buttons
};

} // namespace zrv::loader
