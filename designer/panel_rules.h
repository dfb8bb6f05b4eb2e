// The control panel's rules over the canvas sizes: which box shows which
// size, how typed text becomes a size, and the sixteen arrow buttons.
#pragma once

#include "designer/design_model.h"

#include <array>
#include <string>

namespace tessel::designer {

enum class Dimension { Width, Height };

// The eight size boxes, `Text2` to `Text9`.
struct SizeBox {
    int textNumber; // 2 for `Text2`, ...
    int element;
    Dimension dimension;
};
inline constexpr std::array<SizeBox, 8> kSizeBoxes = {{
    {2, kTaskArea, Dimension::Width},
    {3, kTaskArea, Dimension::Height},
    {4, kProgressBar1, Dimension::Height},
    {5, kProgressBar1, Dimension::Width},
    {6, kHScroll1, Dimension::Width},
    {7, kHScroll1, Dimension::Height},
    {8, kVScroll1, Dimension::Width},
    {9, kVScroll1, Dimension::Height},
}};
// The order in which the panel refills its boxes when it becomes active.
inline constexpr std::array<int, 8> kRefreshOrder = {2, 3, 5, 4, 6, 7, 8, 9};

const SizeBox* sizeBox(int textNumber);

// Text typed into a size box as a size in twips: a plain decimal number, not
// negative, small enough for the skin file's 16-bit fields. False for
// anything else (the box's change is then ignored).
bool parseSize(const std::string& text, double& out);

// The sixteen arrow buttons `Command2` to `Command17`.
struct ArrowStep {
    int commandNumber;
    const char* caption;
    int element;
    Dimension dimension;
    int delta;              // twips
    std::array<int, 2> refresh; // boxes refreshed afterwards (0: none)
};
inline constexpr int kArrowStep = 20;
inline constexpr std::array<ArrowStep, 16> kArrowSteps = {{
    {2, "<", kTaskArea, Dimension::Width, -kArrowStep, {2, 3}},
    {3, ">", kTaskArea, Dimension::Width, kArrowStep, {2, 3}},
    {4, "/\\", kTaskArea, Dimension::Height, -kArrowStep, {2, 3}},
    {5, "\\/", kTaskArea, Dimension::Height, kArrowStep, {2, 3}},
    {6, "\\/", kProgressBar1, Dimension::Height, kArrowStep, {5, 4}},
    {7, "/\\", kProgressBar1, Dimension::Height, -kArrowStep, {5, 4}},
    {8, ">", kProgressBar1, Dimension::Width, kArrowStep, {5, 0}},
    {9, "<", kProgressBar1, Dimension::Width, -kArrowStep, {5, 0}},
    {10, "\\/", kHScroll1, Dimension::Height, kArrowStep, {6, 7}},
    {11, "/\\", kHScroll1, Dimension::Height, -kArrowStep, {6, 7}},
    {12, ">", kHScroll1, Dimension::Width, kArrowStep, {6, 7}},
    {13, "<", kHScroll1, Dimension::Width, -kArrowStep, {6, 7}},
    {14, "\\/", kVScroll1, Dimension::Height, kArrowStep, {8, 9}},
    {15, "/\\", kVScroll1, Dimension::Height, -kArrowStep, {8, 9}},
    {16, ">", kVScroll1, Dimension::Width, kArrowStep, {8, 9}},
    {17, "<", kVScroll1, Dimension::Width, -kArrowStep, {8, 9}},
}};

const ArrowStep* arrowStep(int commandNumber);

double& sizeOf(TwipRect& b, Dimension d);
// The size after one step: a step below zero stops at 0 twips, and a size
// already above the file's range is not made larger.
double steppedSize(double current, int delta);

// Screen rectangles in pixels, right and bottom exclusive.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Where the control panel opens: beside the canvas (below, above, right or
// left of it, in that order of preference), always inside `work` (the work
// area of the canvas's monitor), and over as little of the canvas as that
// work area allows. A panel larger than the work area keeps its top left
// corner in it.
ScreenRect panelPlace(const ScreenRect& canvas, int panelWidth, int panelHeight,
                      const ScreenRect& work);

} // namespace tessel::designer
