// The designer's one run: its model, its five windows and the values they
// share. Everything runs on the one window thread.
#pragma once
#include <windows.h>

#include "canvas.h"
#include "designer/design_model.h"

#include <string>

namespace tessel::designer::win {

inline constexpr char kSupportAddress[] = "support@tessel.example";
inline constexpr char kMessageTitle[] = "Tessel Designer"; // message boxes

struct DesignerApp {
    HINSTANCE instance = nullptr;
    int dpi = 96;
    DesignModel model = designTimeLayout();
    std::string programFolder;
    std::string skinFolder;        // `SkinFolder`, as the user left it
    std::string canvasPicturePath; // `CanvasPicturePath`, never saved

    Canvas canvas;
    HWND chooser = nullptr;  // `Form5`
    HWND openedChooser = nullptr; // `Form5` after "Open", until it is closed
    HWND panel = nullptr;    // `Form1`
    HWND makeFile = nullptr; // `Form3`
    HWND progress = nullptr; // `Form4`
};

DesignerApp& designerApp();

// Windows of the run.
HWND createSkinChooser(DesignerApp& app);
// "Open": the control panel and the canvas, with the skin loaded.
void openDesigner(DesignerApp& app);
HWND createControlPanel(DesignerApp& app);
void refreshSizeBoxes(DesignerApp& app);
void showMakeFile(DesignerApp& app);


// Closes the skin chooser that "Open" was pressed in, if it is still there.
void closeOpenedChooser(DesignerApp& app);

// Ends the whole run (closing the panel or the canvas).
void endDesigner();

} // namespace tessel::designer::win
