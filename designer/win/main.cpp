// tesseldes: the skin designer of the launcher bar.
#include "designer_app.h"
#include "common/win/program_folder.h"
#include "common/win/screen.h"

using namespace tessel::designer::win;

namespace {
bool dialogMessage(const DesignerApp& app, MSG& msg) {
    for (HWND dlg : {app.chooser, app.panel, app.makeFile, app.progress})
        if (dlg && IsWindow(dlg) && IsDialogMessageA(dlg, &msg))
            return true;
    return false;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DesignerApp& app = designerApp();
    app.instance = instance;
    app.dpi = tessel::screenDpi();
    app.programFolder = zt::programFolder();
    app.chooser = createSkinChooser(app);
    if (!app.chooser)
        return 1;
    ShowWindow(app.chooser, SW_SHOWNORMAL);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (dialogMessage(app, msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
