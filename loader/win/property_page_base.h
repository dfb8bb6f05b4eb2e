// A page of the configuration sheet: a dialog template shown in a tab. The
// page is created when its tab is first shown; its members and controls are
// exchanged both ways by exchange().
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "loader/win/dialog_base.h"

namespace zrv::loader {

class CPropertyPageBase : public CDialogBase {
public:
    using CDialogBase::CDialogBase;
    // The record the sheet is built from; points back at this page.
    PROPSHEETPAGEA pageRecord();

protected:
    // true: controls into members; false: members into controls.
    virtual void exchange(bool /*save*/) {}
    void updateData(bool save) { exchange(save); }

    // Exchange helpers for one control and its member.
    void exchangeCheck(bool save, int id, int& member);
    void exchangeText(bool save, int id, std::string& member);
    // A group of radio buttons with consecutive ids: the member is the index
    // of the checked one, -1 when none is.
    void exchangeRadio(bool save, int firstId, int count, int& member);

private:
    static INT_PTR CALLBACK pageProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
};

} // namespace zrv::loader
