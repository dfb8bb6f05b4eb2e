// The bar's 22 picture elements: their windows, their raised and pressed
// pictures, which of the two each shows, and the element a press began on.
#pragma once
#include <windows.h>

#include "common/win/scoped.h"
#include "formats/run_error.h"
#include "formats/skin_files.h"

#include <array>
#include <string>

namespace tessel::win {

class BarBackground;

inline constexpr char kElementClass[] = "TesselPic";
inline constexpr int kElementIdBase = 100; // ButtonPic(i) has id 100 + i

class BarElements {
public:
    // The element windows, children of `bar`; each keeps its index in its
    // user data.
    void create(HWND bar, HINSTANCE instance);
    // Both pictures of every element; all are tried, the first failure is
    // returned.
    RunError loadPictures(const std::string& skinFolder);
    // The elements' places, and the size of the task list area.
    void place(const SkinLayout& l);

    void show(int i, bool pressed);
    bool pressed(int i) const { return pressed_[i]; }
    void paint(HWND el, int i, const BarBackground& background) const;

    // A button went down on element i: it takes the mouse and looks pressed.
    void pressStarted(HWND el, int i);
    // A button went up on element i. True when the press began on it.
    bool released(HWND el, int i);
    // The mouse capture went to `to`. True when that ended a press on
    // element i, which then looks raised again.
    bool pressLost(HWND el, int i, HWND to);

private:
    HWND bar_ = nullptr;
    std::array<zt::ScopedBitmap, kElementCount> raisedPictures_, pressedPictures_;
    std::array<bool, kElementCount> pressed_{};
    std::array<HWND, kElementCount> windows_{};
    // The element the mouse button went down on, -1 for none: a release
    // acts only on the element its press started on.
    int pressedOn_ = -1;
};

} // namespace tessel::win
