// tesseldes: the skin designer of the launcher bar.
#include "designer_app.h"
#include "common/win/program_folder.h"
#include "common/win/screen.h"

using namespace tessel::designer::win;

namespace {
bool dialogMessage(const DesignerApp& a, MSG& msg) {
    for (HWND dlg : {a.chooser, a.panel, a.makeFile, a.progress})
        if (dlg && IsWindow(dlg) && IsDialogMessageA(dlg, &msg))
            return true;
    return false;
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DesignerApp& a = app();
    a.instance = instance;
    a.dpi = tessel::screenDpi();
    a.programFolder = zt::programFolder();
    a.chooser = createSkinChooser(a);
    if (!a.chooser)
        return 1;
    ShowWindow(a.chooser, SW_SHOWNORMAL);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (dialogMessage(a, msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
