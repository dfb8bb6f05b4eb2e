#include "loader/win/about_page.h"

#include <shellapi.h>

#include "common/win/program_folder.h"
#include "loader/resource.h"

namespace zrv::loader {

CMyPropertyPage6::CMyPropertyPage6() : CPropertyPageBase(IDD_PAGE_ABOUT) {}

std::string CMyPropertyPage6::siteAddress() { return zt::programFolder() + "\\zirvane.html"; }
std::string CMyPropertyPage6::suiteAddress() { return zt::programFolder() + "\\suite.html"; }

BOOL CMyPropertyPage6::onInitDialog() {
    // Each button shows the address it opens.
    setText(IDC_ABOUT_SITE, siteAddress());
    setText(IDC_ABOUT_SUITE, suiteAddress());
    return TRUE;
}

void CMyPropertyPage6::onCommand(int id, int code) {
    if (code != BN_CLICKED || (id != IDC_ABOUT_SITE && id != IDC_ABOUT_SUITE))
        return;
    const std::string address = id == IDC_ABOUT_SITE ? siteAddress() : suiteAddress();
    ShellExecuteA(wnd_, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace zrv::loader
