// "Set per application semi transparency": adds one application.
#pragma once
#include "loader/win/dialog_base.h"

namespace zrv::loader {

class CAddAppTransDlg : public CDialogBase {
public:
    CAddAppTransDlg();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;

private:
    void onBrowse();
    void onOk();
};

} // namespace zrv::loader
