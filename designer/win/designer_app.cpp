#include "designer_app.h"

#include "formats/skin_files.h"
#include "common/win/files.h"
#include "common/win/pictures.h"
#include "resource.h"

#include <new>

namespace tessel::designer::win {

DesignerApp& designerApp() {
    static DesignerApp app;
    return app;
}

void endDesigner() { PostQuitMessage(0); }

void closeOpenedChooser(DesignerApp& app) {
    if (app.openedChooser)
        DestroyWindow(app.openedChooser);
    app.openedChooser = nullptr;
}

namespace {

// No skin settings file is anywhere near this size.
constexpr size_t kLargestSkinFile = 4u << 20;

RunError loadSkinSteps(DesignerApp& app) {
    std::string text;
    const std::string path = skinFilePath(app.skinFolder, kSkinSettingsFile);
    if (auto e = readTextFile(path, text, nullptr, kLargestSkinFile); e.failed())
        return e;
    RunError e = applySkinSettings(text, app.model);
    app.canvas.placeElements(); // everything read before a failure stays applied
    if (e.failed())
        return e;
    for (int i = 0; i < kButtonPicCount; ++i) {
        if (i == kTaskArea)
            continue;
        zt::ScopedBitmap bmp;
        const std::string path = elementBitmapPath(app.skinFolder, i, BitmapLook::Normal);
        if (auto e = loadPicture(path, bmp); e.failed())
            return e;
        app.canvas.setPicture(i, std::move(bmp));
    }
    zt::ScopedBitmap background;
    if (auto e = loadPicture(skinFilePath(app.skinFolder, "background.bmp"), background);
        e.failed())
        return e;
    app.model.elements[kImage1].left = app.model.elements[kImage1].top = 0;
    app.canvas.setPicture(kImage1, std::move(background));
    // Room for the canvas's frame and title bar, which the bar has not.
    app.model.canvas.width = app.model.elements[kImage1].width + kCanvasExtraWidth;
    app.model.canvas.height = app.model.elements[kImage1].height + kCanvasExtraHeight;
    return {};
}

} // namespace

namespace {
// The one load message, over the canvas; what was applied before the
// failure stays.
void reportLoadFailure(DesignerApp& app, const RunError& e) {
    if (!e.failed())
        return;
    closeOpenedChooser(app); // not left behind the message
    const std::string text = e.description() + " email " + kSupportAddress + " for help";
    MessageBoxA(app.canvas.wnd(), text.c_str(), kMessageTitle, MB_OK | MB_ICONEXCLAMATION);
}

// The control panel comes once the canvas with its skin is on the screen: a
// timer, rather than a posted message, lets the thread go idle first, and
// that is when the painted canvas reaches the display.
void CALLBACK showControlPanel(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    DesignerApp& app = designerApp();
    closeOpenedChooser(app);
    if (app.panel)
        return;
    app.panel = createControlPanel(app);
    if (!app.panel) {
        MessageBoxA(nullptr, "The designer's windows could not be made.", kMessageTitle,
                    MB_OK | MB_ICONSTOP);
        endDesigner();
        return;
    }
    ShowWindow(app.panel, SW_SHOWNORMAL);
    SetForegroundWindow(app.panel);
    SetActiveWindow(app.panel);
    refreshSizeBoxes(app);
}
} // namespace

void openDesigner(DesignerApp& app) {
    // The canvas is first used here, which loads the skin onto it before
    // anything else happens. Its window is made after the load, where the
    // skin puts it, and holds the load's message if there is one.
    app.canvas.attach(app.model, app.dpi);
    RunError e;
    try {
        e = loadSkinSteps(app);
    } catch (const std::bad_alloc&) {
        e = RunError(ErrorNumber::OutOfMemory, errorText(ErrorNumber::OutOfMemory));
    }
    if (!app.canvas.create(app.instance)) {
        closeOpenedChooser(app);
        MessageBoxA(nullptr, "The designer's windows could not be made.", kMessageTitle,
                    MB_OK | MB_ICONSTOP);
        endDesigner();
        return;
    }
    reportLoadFailure(app, e);
    app.model.shellName = kInitialShellName;
    app.canvas.setProgressValue(kProgressPreviewValue);
    ShowWindow(app.canvas.wnd(), SW_SHOWNORMAL);
    UpdateWindow(app.canvas.wnd());
    if (!SetTimer(nullptr, 0, USER_TIMER_MINIMUM, showControlPanel))
        showControlPanel(nullptr, 0, 0, 0);
}

} // namespace tessel::designer::win
