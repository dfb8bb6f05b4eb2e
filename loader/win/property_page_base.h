// A page of the configuration sheet: a dialog template shown in a tab. The
// page is created when its tab is first shown. Most of its controls are
// bound to keys of "GLOBAL" through a table; the rest keep members that
// exchange() moves to and from the controls.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "formats/effect_keys.h"
#include "loader/win/dialog_base.h"

namespace zrv::loader {

// One control bound to one key of "GLOBAL": set from the file when the page
// opens, written the moment the user changes it.
struct BoundControl {
    enum Kind {
        Check,    // ticked when the value is not 0; written "1" or "0"
        CheckOne, // ticked when the value is 1; written "1" or "0"
        Slider,   // 0 to 255; written when a drag is released
    };
    constexpr BoundControl(int id, Kind kind, const char* key, int missing)
        : id(id), kind(kind), key(key), missing(missing) {}
    // Read with the utility's default for the key.
    constexpr BoundControl(int id, Kind kind, const keys::IntKey& key)
        : BoundControl(id, kind, key.name, key.utilityDefault) {}

    int id;
    Kind kind;
    const char* key; // read (without regard to case) and written under this name
    int missing;     // the value read when the key is not there
};

class CPropertyPageBase : public CDialogBase {
public:
    using CDialogBase::CDialogBase;
    // The record the sheet is built from; points back at this page.
    PROPSHEETPAGEA pageRecord();

protected:
    template <size_t N> void bind(const BoundControl (&rows)[N]) {
        bound_ = rows;
        boundCount_ = N;
    }
    // Sets every bound control from the file; pages that override it call
    // it first.
    BOOL onInitDialog() override;
    // A click on a bound check box writes it; pages that override these
    // call them for the ids they do not handle themselves.
    void onCommand(int id, int code) override;
    // Only a released drag stores a slider's position; keyboard moves are
    // not written.
    void onNotify(const NMHDR& hdr) override;
    // Writes the bound check box as it stands, then onBoundChanged().
    void writeBound(int id);
    // After a bound check box was written: what depends on it.
    virtual void onBoundChanged(int /*id*/, bool /*on*/) {}

    // true: controls into members; false: members into controls.
    virtual void exchange(bool /*save*/) {}
    void updateData(bool save) { exchange(save); }

    // Exchange helpers for one control and its member.
    void exchangeCheck(bool save, int id, int& member);
    // A group of radio buttons with consecutive ids: the member is the index
    // of the checked one, -1 when none is.
    void exchangeRadio(bool save, int firstId, int count, int& member);

private:
    static INT_PTR CALLBACK pageProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    const BoundControl* boundRow(int id) const;

    const BoundControl* bound_ = nullptr;
    size_t boundCount_ = 0;
};

} // namespace zrv::loader
