// The canvas (`Form2`): a full-size model of the bar whose elements are
// dragged with the left button. Positions and sizes live in the model, in
// twips; the canvas draws them in pixels at the screen's DPI. The elements
// are drawn by the canvas window itself rather than being windows of their
// own: 28 child windows made the designer's start markedly slower.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "common/win/scoped.h"
#include "designer/design_model.h"
#include "formats/run_error.h"

#include <array>
#include <string>

namespace tessel::designer::win {

inline constexpr char kCanvasClass[] = "TesseldesCanvas";
// A title bar only so that it can be moved; the bar itself has none.
inline constexpr DWORD kCanvasStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

class Canvas {
public:
    Canvas() = default;
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The model the canvas shows, at the screen's DPI; the elements can be
    // placed and given pictures before the window exists.
    void attach(DesignModel& model, int dpi);
    // The window, hidden, where the model puts it.
    bool create(HINSTANCE instance);
    HWND wnd() const { return wnd_; }
    // Element i's rectangle in the client area, pixels, as last placed.
    RECT elementRect(int i) const { return shown_[i]; }

    // Model to windows.
    void placeAll();
    void placeElements();
    void placeElement(int i);
    void placeWindow();
    // Element i shows `bmp` and takes its size.
    void setPicture(int i, zt::ScopedBitmap bmp);
    // The progress bar element's preview value (0 to 100); the canvas
    // window also answers PBM_SETPOS and PBM_GETPOS.
    void setProgressValue(int value);
    int progressValue() const;
    // The canvas window's own background picture (.bmp, .gif or .jpg).
    RunError setBackdrop(const std::string& path);
    // The window's screen position, in twips, and its size as the skin file
    // stores it: the client area plus the file's fixed 115 x 360 twips.
    TwipRect windowBox() const;

private:
    static LRESULT CALLBACK canvasProc(HWND, UINT, WPARAM, LPARAM);
    // The mouse on the elements; true when the message was one of the drag.
    bool mouse(UINT msg, WPARAM wp, LPARAM lp);
    // The element a click at `pt` lands on: the topmost one there, or -1 for
    // none (the background picture is not dragged).
    int elementAt(POINT pt) const;
    void paint(HDC dc, const RECT& area);
    // Element i with its top left corner at the logical origin.
    void paintElement(int i, HDC dc, RECT rc);
    void paintBackdrop(HDC dc);
    HGDIOBJ labelFont();
    // The platform's frame around the client area, and the window's outer
    // size for the model's canvas size.
    SIZE frameSize() const;
    SIZE outerSize() const;

    DesignModel* model_ = nullptr;
    int dpi_ = 96;
    HWND wnd_ = nullptr;
    std::array<RECT, kCanvasElementCount> shown_{};
    std::array<zt::ScopedBitmap, kCanvasElementCount> pictures_{};
    zt::ScopedFont labelFont_;
    IPicture* backdrop_ = nullptr;
    int progress_ = 0;
    int dragged_ = -1;             // the element holding the mouse capture
    double grabX_ = 0, grabY_ = 0; // one grab point for the whole canvas, twips
};

} // namespace tessel::designer::win
