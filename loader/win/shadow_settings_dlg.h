// "Modify shadow settings": size, translucency and opacity of the shadows,
// stored when OK is pressed.
#pragma once
#include "loader/win/dialog_base.h"

namespace zrv::loader {

class CShadowSettingsDlg : public CDialogBase {
public:
    CShadowSettingsDlg();
    // The live size label's timer.
    static constexpr UINT_PTR kLabelTimer = 55;
    static constexpr UINT kLabelPeriodMs = 50;

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void onTimer(UINT_PTR id) override;
    void onDestroy() override;

private:
    void onSemiTrans();
};

} // namespace zrv::loader
