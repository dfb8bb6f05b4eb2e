// "Zirvane Properties": the nine pages of settings. Destroying the sheet tells
// the library in every process to reload its settings.
#pragma once
#include <windows.h>

#include "loader/win/my_property_page1.h"
#include "loader/win/my_property_page2.h"
#include "loader/win/my_property_page3.h"
#include "loader/win/my_property_page4.h"
#include "loader/win/my_property_page5.h"
#include "loader/win/my_property_page6.h"
#include "loader/win/my_property_page7.h"
#include "loader/win/my_property_page8.h"
#include "loader/win/property_page9.h"

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
