// A dialog built from a template, with one virtual handler per message kind
// the loader's dialogs use. Modal dialogs run it with doModal; property pages
// derive from CPropertyPageBase, which routes the same handlers.
#pragma once
#include <windows.h>

#include <string>

namespace zrv::loader {

class CDialogBase {
public:
    explicit CDialogBase(int templateId) : templateId_(templateId) {}
    virtual ~CDialogBase() = default;
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;

    INT_PTR doModal(HWND owner);
    HWND hwnd() const { return wnd_; }
    int templateId() const { return templateId_; }

protected:
    virtual BOOL onInitDialog() { return TRUE; }
    virtual void onCommand(int /*id*/, int /*code*/) {}
    virtual void onNotify(const NMHDR& /*hdr*/) {}
    virtual void onTimer(UINT_PTR /*id*/) {}
    virtual void onDestroy() {}
    // Anything else; return true when handled.
    virtual bool onMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, LRESULT& /*result*/) {
        return false;
    }

    // Control helpers.
    HWND item(int id) const { return GetDlgItem(wnd_, id); }
    bool checked(int id) const { return IsDlgButtonChecked(wnd_, id) == BST_CHECKED; }
    void setChecked(int id, bool on) { CheckDlgButton(wnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void enable(int id, bool on) { EnableWindow(item(id), on ? TRUE : FALSE); }
    std::string text(int id) const;
    void setText(int id, const std::string& s) { SetDlgItemTextA(wnd_, id, s.c_str()); }
    int sliderPos(int id) const;
    void setSlider(int id, int lo, int hi, int pos);
    void endDialog(INT_PTR result) { EndDialog(wnd_, result); }

    INT_PTR dispatch(UINT msg, WPARAM wp, LPARAM lp);
    HWND wnd_ = nullptr;

private:
    static INT_PTR CALLBACK dialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    int templateId_;
};

} // namespace zrv::loader
