#include "loader/win/shadow_settings_dlg.h"

#include "loader/loader_rules.h"
#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
constexpr char kSection[] = "Global";
constexpr char kSizeWritten[] = "realshadowsize";
constexpr char kAlphaWritten[] = "realshadowalpha";

int readShadowInt(const keys::IntKey& key) {
    return static_cast<int>(GetPrivateProfileIntA(kSection, key.name, key.utilityDefault, keys::kMainFile));
}
void writeShadow(const char* key, const std::string& value) {
    WritePrivateProfileStringA(kSection, key, value.c_str(), keys::kMainFile);
}
} // namespace

CShadowSettingsDlg::CShadowSettingsDlg() : CDialogBase(IDD_SHADOW_SETTINGS) {}

BOOL CShadowSettingsDlg::onInitDialog() {
    setSlider(IDC_SHSET_SIZE, 2, 25, readShadowInt(keys::kRealShadowSize));
    setSlider(IDC_SHSET_ALPHA, 0, 255, readShadowInt(keys::kRealShadowAlpha));
    setChecked(IDC_SHSET_SEMITRANS, readShadowInt(keys::kShadowsSemiTrans) == 1);
    onSemiTrans();
    onTimer(kLabelTimer);
    SetTimer(wnd_, kLabelTimer, kLabelPeriodMs, nullptr);
    return TRUE;
}

void CShadowSettingsDlg::onSemiTrans() {
    const bool on = checked(IDC_SHSET_SEMITRANS);
    for (int id : {IDC_SHSET_ALPHA, IDC_SHSET_INVISIBLE, IDC_SHSET_VISIBLE})
        enable(id, on);
}

void CShadowSettingsDlg::onTimer(UINT_PTR id) {
    if (id == kLabelTimer)
        setText(IDC_SHSET_SIZE_LABEL, pixelsLabel(sliderPos(IDC_SHSET_SIZE)));
}

void CShadowSettingsDlg::onDestroy() { KillTimer(wnd_, kLabelTimer); }

void CShadowSettingsDlg::onCommand(int id, int code) {
    if (id == IDC_SHSET_SEMITRANS && code == BN_CLICKED) {
        onSemiTrans();
    } else if (id == IDOK) {
        writeShadow(keys::kShadowsSemiTrans.name, flagText(checked(IDC_SHSET_SEMITRANS)));
        writeShadow(kAlphaWritten, std::to_string(sliderPos(IDC_SHSET_ALPHA)));
        writeShadow(kSizeWritten, std::to_string(sliderPos(IDC_SHSET_SIZE)));
        endDialog(IDOK);
    } else if (id == IDCANCEL) {
        endDialog(IDCANCEL);
    }
}

} // namespace zrv::loader
