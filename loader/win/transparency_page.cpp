#include "loader/win/transparency_page.h"

#include <cstdio>
#include <cstring>

#include "loader/loader_rules.h"
#include "loader/resource.h"
#include "loader/win/add_app_trans_dlg.h"
#include "loader/win/modify_app_trans_dlg.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

CMyPropertyPage8::CMyPropertyPage8() : CPropertyPageBase(IDD_PAGE_TRANSPARENCY) {}

std::vector<std::string> CMyPropertyPage8::readApplications() {
    std::vector<std::string> names;
    // "a+": created when missing, never truncated.
    FILE* f = std::fopen(appFilePath().c_str(), "a+");
    if (!f)
        return names;
    std::rewind(f);
    char piece[kListLinePiece + 1];
    std::string name;
    while (std::fgets(piece, sizeof piece, f)) {
        piece[std::strcspn(piece, "\r\n")] = '\0';
        if (applicationOfLine(piece, name))
            names.push_back(name);
    }
    std::fclose(f);
    return names;
}

BOOL CMyPropertyPage8::onInitDialog() {
    refill();
    return TRUE;
}

void CMyPropertyPage8::refill() {
    HWND list = item(IDC_APP_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& n : readApplications())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
}

std::string CMyPropertyPage8::selectedName() const {
    HWND list = item(IDC_APP_LIST);
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (sel == LB_ERR || SendMessageA(list, LB_GETTEXTLEN, sel, 0) > 255)
        return {};
    char buf[256] = {};
    SendMessageA(list, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(buf));
    return buf;
}

void CMyPropertyPage8::onAdd() {
    CAddAppTransDlg dlg;
    dlg.doModal(wnd_);
    refill();
}

void CMyPropertyPage8::onDelete() {
    if (MessageBoxA(wnd_, "Are you sure you want to remove this per window semi transparency setting?",
                    "Remove Setting?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    deleteAppSection(selectedName());
    refill();
}

void CMyPropertyPage8::onModify() {
    const std::string name = selectedName();
    if (name.empty())
        return;
    CModifyAppTransDlg dlg(name);
    dlg.doModal(wnd_);
    refill();
}

void CMyPropertyPage8::onCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_APP_ADD: onAdd(); break;
    case IDC_APP_DELETE: onDelete(); break;
    case IDC_APP_MODIFY: onModify(); break;
    default: break;
    }
}

} // namespace zrv::loader
