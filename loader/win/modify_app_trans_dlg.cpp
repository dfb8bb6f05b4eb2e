#include "loader/win/modify_app_trans_dlg.h"

#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

CModifyAppTransDlg::CModifyAppTransDlg(std::string app)
    : CDialogBase(IDD_MODIFY_APP_TRANS), app_(std::move(app)) {}

BOOL CModifyAppTransDlg::onInitDialog() {
    setText(IDC_MOD_NAME, app_);
    setSlider(IDC_ADD_SLIDER, 0, 255, readAppTrans(app_));
    setChecked(IDC_APP_NOEFFECTS, readAppNoEffects(app_));
    return TRUE;
}

void CModifyAppTransDlg::onCommand(int id, int /*code*/) {
    if (id == IDOK) {
        writeAppTrans(app_, sliderPos(IDC_ADD_SLIDER));
        writeAppNoEffects(app_, checked(IDC_APP_NOEFFECTS));
        endDialog(IDOK);
    } else if (id == IDCANCEL) {
        endDialog(IDCANCEL);
    }
}

} // namespace zrv::loader
