// The canvas (`Form2`): a full-size model of the bar whose elements are
// dragged with the left button. Positions and sizes live in the model, in
// twips; the element windows show them in pixels at the screen's DPI.
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

class Canvas {
public:
    Canvas() = default;
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool create(HINSTANCE instance, DesignModel& model, int dpi);
    HWND wnd() const { return wnd_; }
    HWND element(int i) const { return elements_[i]; }

    // Model to windows.
    void placeAll();
    void placeElement(int i);
    void placeWindow();
    // Element i shows `bmp` and takes its size.
    void setPicture(int i, zt::ScopedBitmap bmp);
    // The progress bar element's preview value (0 to 100); it also answers
    // PBM_SETPOS and PBM_GETPOS.
    void setProgressValue(int value);
    int progressValue() const;
    // The canvas window's own background picture (.bmp, .gif or .jpg).
    RunError setBackdrop(const std::string& path);
    // The window's screen position and outer size, in twips.
    Box windowBox() const;

private:
    static LRESULT CALLBACK canvasProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK elementProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK controlProc(HWND, UINT, WPARAM, LPARAM);
    // Mouse handling shared by every element; true when the message was a
    // mouse message of the drag.
    bool elementMouse(HWND el, UINT msg, WPARAM wp, LPARAM lp);
    void paintElement(HWND el, HDC dc);
    void eraseBackground(HDC dc);
    int px(double twips) const;
    double tw(int pixels) const;
    int indexOf(HWND el) const;

    DesignModel* model_ = nullptr;
    int dpi_ = 96;
    HWND wnd_ = nullptr;
    std::array<HWND, kCanvasElementCount> elements_{};
    std::array<zt::ScopedBitmap, kCanvasElementCount> pictures_{};
    std::array<WNDPROC, kCanvasElementCount> controlProcs_{};
    IPicture* backdrop_ = nullptr;
    int progress_ = 0;
    double grabX_ = 0, grabY_ = 0; // one grab point for the whole canvas, twips
};

} // namespace tessel::designer::win
