// "About Zirvane": the version and where its documentation lies.
#pragma once
#include <string>

#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage6 : public CPropertyPageBase {
public:
    CMyPropertyPage6();
    // The two pages the buttons open: the product's own documentation and the
    // suite's overview, both installed beside the program.
    static std::string siteAddress();
    static std::string suiteAddress();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
};

} // namespace zrv::loader
