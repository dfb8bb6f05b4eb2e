// The skin files: "tessel.tsi" (which skin the bar uses) and a skin folder's
// "skinsettings.tsl" (where every element of the bar stands), plus the names
// of the 46 bitmaps a skin folder holds.
#pragma once

#include "formats/run_error.h"

#include <array>
#include <cstdint>
#include <string>

namespace tessel {

inline constexpr char kSkinChoiceFile[] = "tessel.tsi";
inline constexpr char kSkinSettingsFile[] = "skinsettings.tsl";

inline constexpr int kElementCount = 22;
inline constexpr int kTaskAreaElement = 10; // the only element without bitmaps
inline constexpr int kMoveElement = 20;
inline constexpr int kConnectedElement = 21;
inline constexpr int kSkinValueCount = 70;

// The canvas frame the designer adds to the bar's size when it stores it.
inline constexpr int kCanvasExtraWidth = 115;
inline constexpr int kCanvasExtraHeight = 360;

// Element i's bitmaps are skin folder + "\" + name + "out.bmp" / "in.bmp";
// element 10 has none (empty name).
const char* elementBitmapName(int element);
inline constexpr std::array<const char*, 4> kSkinExtraBitmaps = {
    "background.bmp", "dialogback.bmp", "dialogexit.bmp", "dialogmove.bmp"};

enum class BitmapLook { Normal, Pressed };
std::string elementBitmapPath(const std::string& skinFolder, int element, BitmapLook look);
std::string skinFilePath(const std::string& skinFolder, const char* fileName);
// Every one of the 46 bitmap file names a skin folder must hold.
std::array<std::string, 46> allSkinBitmaps();

// "tessel.tsi": line 1 "local" or "global" (exactly), line 2 the skin name.
// Any other mode leaves the folder empty, so the settings file is looked for
// at the root of the current drive.
RunError readSkinChoice(const std::string& tsiText, const std::string& programFolder,
                        std::string& skinFolder);

// Positions and sizes as the settings file stores them: whole twips in 16
// bits. Both programs compute with TwipRect (formats/twips.h).
struct SkinPoint {
    int16_t left = 0;
    int16_t top = 0;
};
struct SkinRect {
    int16_t left = 0, top = 0, width = 0, height = 0;
};

struct SkinLayout {
    std::string displayName;   // line 1, read and discarded by the bar
    int16_t barLeft = 0;       // lines 2 to 5: screen coordinates
    int16_t barTop = 0;
    int16_t barWidth = 0;      // canvas width - 115
    int16_t barHeight = 0;     // canvas height - 360
    std::array<SkinPoint, kElementCount> elements{};
    int16_t taskAreaWidth = 0; // lines 50, 51
    int16_t taskAreaHeight = 0;
    SkinPoint cpuMeter;
    SkinPoint clock;
    SkinRect positionBar;
    SkinRect balanceSlider;
    SkinRect volumeSlider;
    std::string horizontalFlag; // exactly "True" means side by side
    int32_t buttonColour = 0;
    int32_t listColour = 0;

    bool horizontal() const { return horizontalFlag == "True"; }
};

// Reads the 70 values in file order. On failure `linesRead` tells how far the
// read got, so that the bar can show what had been applied by then (the bar
// window exists once line 2 is read).
RunError readSkinLayout(const std::string& text, SkinLayout& layout, int* linesRead = nullptr);

// Writes a layout the way the designer's print routine does: a blank in place
// of the plus sign and one blank after every number, CR LF line ends.
std::string writeSkinLayout(const SkinLayout& layout);
std::string formatNumberForFile(long long value);

} // namespace tessel
