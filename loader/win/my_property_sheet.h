// "Zirvane Properties": the nine pages of settings. Destroying the sheet tells
// the library in every process to reload its settings.
#pragma once
#include <windows.h>

#include "loader/win/animations_page.h"
#include "loader/win/shadows_page.h"
#include "loader/win/translucency_pages.h"
#include "loader/win/maximize_page.h"
#include "loader/win/about_page.h"
#include "loader/win/desktop_icons_page.h"
#include "loader/win/transparency_page.h"
#include "loader/win/startup_page.h"

namespace zrv::loader {

class CMyPropertySheet {
public:
    static constexpr char kCaption[] = "Zirvane Properties";
    static constexpr int kPageCount = 9;

    CMyPropertySheet() = default;
    ~CMyPropertySheet();
    CMyPropertySheet(const CMyPropertySheet&) = delete;
    CMyPropertySheet& operator=(const CMyPropertySheet&) = delete;

    // Runs the sheet modally over `owner` (the loader window, or none).
    INT_PTR doModal(HWND owner);
    // Calls the library's UpdateSetting when "ZRV.DLL" is mapped here, and
    // repaints the desktop twice a second apart.
    static void notifyLibrary();

private:
    static int CALLBACK sheetCallback(HWND sheet, UINT msg, LPARAM lp);

    // By value, in tab order.
    CMyPropertyPage6 about_;
    CMyPropertyPage1 animations_;
    CMyPropertyPage3 menus_;
    CMyPropertyPage4 dragging_;
    CMyPropertyPage5 maximize_;
    CMyPropertyPage7 icons_;
    CMyPropertyPage8 transparency_;
    CPropertyPage9 startup_;
    CMyPropertyPage2 shadows_;
    CPropertyPageBase* const pages_[kPageCount] = {&about_, &animations_, &menus_, &dragging_, &maximize_,
                                                  &icons_, &transparency_, &startup_, &shadows_};
};

} // namespace zrv::loader
