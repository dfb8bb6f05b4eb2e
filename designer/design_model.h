// The designer's model of a bar: where every element of the canvas stands and
// how big it is, in twips, plus the skin values that are not canvas elements.
// The windows are a view of this; the skin settings file is read into it and
// written from it.
#pragma once

#include "formats/run_error.h"
#include "formats/skin_files.h"
#include "formats/twips.h"

#include <array>
#include <cstdint>
#include <string>

namespace tessel::designer {

// Canvas elements. 0 to 21 are `buttonpic`(i); the rest are the single
// elements, `Image1` (the background) last.
enum : int {
    kButtonPicCount = 22,
    kPicture1 = 22,     // CPU meter
    kLabel1 = 23,       // clock label
    kProgressBar1 = 24, // MP3 progress bar
    kHScroll1 = 25,     // placeholder captioned "MP3 Volume"
    kVScroll1 = 26,     // placeholder captioned "MP3 Balance"
    kImage1 = 27,       // background picture, always at (0, 0)
    kCanvasElementCount = 28,
};
inline constexpr int kTaskArea = 10; // `buttonpic`(10), the only one without a picture

inline constexpr int kProgressPreviewValue = 50;
inline constexpr char kInitialShellName[] = "Tessel";

// Platform colours with the top bit set: system colour 15 (button face) and
// 5 (window background).
inline constexpr int32_t kSystemButtonFace = static_cast<int32_t>(0x8000000Fu);
inline constexpr int32_t kSystemWindow = static_cast<int32_t>(0x80000005u);

enum class Orientation { None, Horizontal, Vertical };

struct DesignModel {
    std::string shellName = kInitialShellName;
    TwipRect canvas;                             // screen twips, outer size
    std::array<TwipRect, kCanvasElementCount> elements{};
    Orientation orientation = Orientation::None; // neither option selected
    int32_t buttonColour = kSystemButtonFace;
    int32_t listColour = kSystemWindow;
};

// The layout the canvas has before any skin is loaded: every element on a
// 640 x 120 pixel canvas at 96 DPI, so that a skin can be built from scratch.
DesignModel designTimeLayout();

// Reads a skin settings file's 70 values into `m`, applying each as soon as
// it is read; the first failure stops the reading and leaves everything read
// before it applied. The canvas width and height are taken as they stand.
RunError applySkinSettings(const std::string& text, DesignModel& m);

// The values of `m` as the skin settings file holds them: each rounded to
// whole twips and checked against the range the bar reads (16 bits, and a
// canvas size from which the bar can take the frame). False, with a message
// that names the first element out of range, when one does not fit: such a
// file would be refused by the bar and by the designer's own loading.
bool layoutForFile(const DesignModel& m, SkinLayout& layout, std::string& problem);

// The 70 lines of a skin settings file, grouped as the progress window
// reports them: the name (line 1), positions (2 to 49), dimensions (50 to
// 55), the player's parts and the rest (56 to 70).
struct SkinTextGroups {
    std::string name;
    std::string positions;
    std::string dimensions;
    std::string playerAndRest;
    std::string all() const { return name + positions + dimensions + playerAndRest; }
};
SkinTextGroups skinSettingsText(const SkinLayout& layout);

// The shortest plain decimal form ("1440", "1234.5", "-45").
std::string formatPlain(double v);

} // namespace tessel::designer
