#include "formats/skin_files.h"

#include "formats/list_input.h"

namespace tessel {

namespace {
constexpr std::array<const char*, kElementCount> kElementNames = {
    "programs", "internet", "email", "connect", "files",  "work", "desktop", "start",
    "run",      "dos",      "",      "settings", "exit",  "ssave", "volume", "open",
    "stop",     "play",     "ff",    "rw",       "move",  "connected"};
}

const char* elementBitmapName(int element) {
    if (element < 0 || element >= kElementCount)
        return "";
    return kElementNames[element];
}

std::string skinFilePath(const std::string& skinFolder, const char* fileName) {
    return skinFolder + "\\" + fileName;
}

std::string elementBitmapPath(const std::string& skinFolder, int element, BitmapLook look) {
    return skinFolder + "\\" + elementBitmapName(element) +
           (look == BitmapLook::Normal ? "out.bmp" : "in.bmp");
}

std::array<std::string, 46> allSkinBitmaps() {
    std::array<std::string, 46> names;
    size_t n = 0;
    for (int i = 0; i < kElementCount; ++i) {
        if (i == kTaskAreaElement)
            continue;
        names[n++] = std::string(kElementNames[i]) + "out.bmp";
        names[n++] = std::string(kElementNames[i]) + "in.bmp";
    }
    for (const char* extra : kSkinExtraBitmaps)
        names[n++] = extra;
    return names;
}

RunError readSkinChoice(const std::string& tsiText, const std::string& programFolder,
                        std::string& skinFolder) {
    ListInput in(tsiText, kSkinChoiceFile);
    std::string mode, name;
    if (auto e = in.readText(mode); e.failed())
        return e;
    if (auto e = in.readText(name); e.failed())
        return e;
    if (mode == "local")
        skinFolder = programFolder + "\\Skins\\" + name;
    else if (mode == "global")
        skinFolder = name;
    else
        skinFolder.clear();
    return {};
}

namespace {
RunError readCanvasSize(ListInput& in, int extra, int16_t& out) {
    int16_t v = 0;
    if (auto e = in.readInt16(v); e.failed())
        return e;
    int r = v - extra;
    if (r < -32768)
        return RunError::at(ErrorNumber::Overflow, kSkinSettingsFile, in.line());
    out = static_cast<int16_t>(r);
    return {};
}
} // namespace

RunError readSkinLayout(const std::string& text, SkinLayout& l, int* linesRead) {
    ListInput in(text, kSkinSettingsFile);
    int done = 0;
    auto track = [&](RunError e) {
        if (!e.failed())
            ++done;
        return e;
    };
    RunError e;
    auto i16 = [&](int16_t& v) { return track(in.readInt16(v)); };

    // The shell name is taken as a whole line: a comma in it must not shift
    // every value after it by one.
    if ((e = track(in.readLine(l.displayName))).failed() || (e = i16(l.barLeft)).failed() ||
        (e = i16(l.barTop)).failed() ||
        (e = track(readCanvasSize(in, kCanvasExtraWidth, l.barWidth))).failed() ||
        (e = track(readCanvasSize(in, kCanvasExtraHeight, l.barHeight))).failed())
        goto out;
    for (auto& p : l.elements)
        if ((e = i16(p.left)).failed() || (e = i16(p.top)).failed())
            goto out;
    if ((e = i16(l.taskAreaWidth)).failed() || (e = i16(l.taskAreaHeight)).failed() ||
        (e = i16(l.cpuMeter.left)).failed() || (e = i16(l.cpuMeter.top)).failed() ||
        (e = i16(l.clock.left)).failed() || (e = i16(l.clock.top)).failed())
        goto out;
    for (SkinRect* r : {&l.positionBar, &l.balanceSlider, &l.volumeSlider})
        if ((e = i16(r->left)).failed() || (e = i16(r->top)).failed() ||
            (e = i16(r->width)).failed() || (e = i16(r->height)).failed())
            goto out;
    if ((e = track(in.readText(l.horizontalFlag))).failed() ||
        (e = track(in.readInt32(l.buttonColour))).failed() ||
        (e = track(in.readInt32(l.listColour))).failed())
        goto out;
out:
    if (linesRead)
        *linesRead = done;
    return e;
}

std::string formatNumberForFile(long long value) {
    return (value < 0 ? "" : " ") + std::to_string(value) + " ";
}

std::string writeSkinLayout(const SkinLayout& l) {
    std::string s;
    auto line = [&s](const std::string& v) { s += v + "\r\n"; };
    auto num = [&](long long v) { line(formatNumberForFile(v)); };
    line(l.displayName);
    num(l.barLeft);
    num(l.barTop);
    num(l.barWidth + kCanvasExtraWidth);
    num(l.barHeight + kCanvasExtraHeight);
    for (const auto& p : l.elements) {
        num(p.left);
        num(p.top);
    }
    num(l.taskAreaWidth);
    num(l.taskAreaHeight);
    num(l.cpuMeter.left);
    num(l.cpuMeter.top);
    num(l.clock.left);
    num(l.clock.top);
    for (const SkinRect* r : {&l.positionBar, &l.balanceSlider, &l.volumeSlider}) {
        num(r->left);
        num(r->top);
        num(r->width);
        num(r->height);
    }
    line(l.horizontalFlag);
    num(l.buttonColour);
    num(l.listColour);
    return s;
}

} // namespace tessel
