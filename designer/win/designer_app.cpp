#include "designer_app.h"

#include "formats/skin_files.h"
#include "common/win/files.h"
#include "common/win/pictures.h"
#include "resource.h"

#include <new>

namespace tessel::designer::win {

DesignerApp& app() {
    static DesignerApp a;
    return a;
}

void endDesigner() { PostQuitMessage(0); }

void closeOpenedChooser(DesignerApp& a) {
    if (a.openedChooser)
        DestroyWindow(a.openedChooser);
    a.openedChooser = nullptr;
}

namespace {

// No skin settings file is anywhere near this size.
constexpr size_t kLargestSkinFile = 4u << 20;

RunError loadSkinSteps(DesignerApp& a) {
    std::string text;
    const std::string path = skinFilePath(a.skinFolder, kSkinSettingsFile);
    if (auto e = readTextFile(path, text, nullptr, kLargestSkinFile); e.failed())
        return e;
    RunError e = applySkinSettings(text, a.model);
    a.canvas.placeElements(); // everything read before a failure stays applied
    if (e.failed())
        return e;
    for (int i = 0; i < kButtonPicCount; ++i) {
        if (i == kTaskArea)
            continue;
        zt::ScopedBitmap bmp;
        const std::string path = elementBitmapPath(a.skinFolder, i, BitmapLook::Normal);
        if (auto e = loadPicture(path, bmp); e.failed())
            return e;
        a.canvas.setPicture(i, std::move(bmp));
    }
    zt::ScopedBitmap background;
    if (auto e = loadPicture(skinFilePath(a.skinFolder, "background.bmp"), background); e.failed())
        return e;
    a.model.elements[kImage1].left = a.model.elements[kImage1].top = 0;
    a.canvas.setPicture(kImage1, std::move(background));
    // Room for the canvas's frame and title bar, which the bar has not.
    a.model.canvas.width = a.model.elements[kImage1].width + kCanvasExtraWidth;
    a.model.canvas.height = a.model.elements[kImage1].height + kCanvasExtraHeight;
    return {};
}

} // namespace

namespace {
// The one load message, over the canvas; what was applied before the
// failure stays.
void reportLoadFailure(DesignerApp& a, const RunError& e) {
    if (!e.failed())
        return;
    closeOpenedChooser(a); // not left behind the message
    const std::string text = e.description() + " email " + kSupportAddress + " for help";
    MessageBoxA(a.canvas.wnd(), text.c_str(), kMessageTitle, MB_OK | MB_ICONEXCLAMATION);
}

// The control panel comes once the canvas with its skin is on the screen: a
// timer, rather than a posted message, lets the thread go idle first, and
// that is when the painted canvas reaches the display.
void CALLBACK showControlPanel(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    DesignerApp& a = app();
    closeOpenedChooser(a);
    if (a.panel)
        return;
    a.panel = createControlPanel(a);
    if (!a.panel) {
        MessageBoxA(nullptr, "The designer's windows could not be made.", kMessageTitle,
                    MB_OK | MB_ICONSTOP);
        endDesigner();
        return;
    }
    ShowWindow(a.panel, SW_SHOWNORMAL);
    SetForegroundWindow(a.panel);
    SetActiveWindow(a.panel);
    refreshSizeBoxes(a);
}
} // namespace

void openDesigner(DesignerApp& a) {
    // The canvas is first used here, which loads the skin onto it before
    // anything else happens. Its window is made after the load, where the
    // skin puts it, and holds the load's message if there is one.
    a.canvas.attach(a.model, a.dpi);
    RunError e;
    try {
        e = loadSkinSteps(a);
    } catch (const std::bad_alloc&) {
        e = RunError(ErrorNumber::OutOfMemory, errorText(ErrorNumber::OutOfMemory));
    }
    if (!a.canvas.create(a.instance)) {
        closeOpenedChooser(a);
        MessageBoxA(nullptr, "The designer's windows could not be made.", kMessageTitle,
                    MB_OK | MB_ICONSTOP);
        endDesigner();
        return;
    }
    reportLoadFailure(a, e);
    a.model.shellName = kInitialShellName;
    a.canvas.setProgressValue(kProgressPreviewValue);
    ShowWindow(a.canvas.wnd(), SW_SHOWNORMAL);
    UpdateWindow(a.canvas.wnd());
    if (!SetTimer(nullptr, 0, USER_TIMER_MINIMUM, showControlPanel))
        showControlPanel(nullptr, 0, 0, 0);
}

} // namespace tessel::designer::win
