// "Modify per application transparency": the visibility of one application.
#pragma once
#include <string>

#include "loader/win/dialog_base.h"

namespace zrv::loader {

class CModifyAppTransDlg : public CDialogBase {
public:
    explicit CModifyAppTransDlg(std::string app);

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;

private:
    std::string app_;
};

} // namespace zrv::loader
