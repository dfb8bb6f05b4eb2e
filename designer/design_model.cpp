#include "designer/design_model.h"

#include "formats/list_input.h"
#include "formats/skin_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tessel::designer {

namespace {
// Twips per pixel of the design-time layout: the skin's own.
constexpr double kTw = twipsPerPixel(kSkinDpi);

TwipRect px(double l, double t, double w, double h) {
    return {l * kTw, t * kTw, w * kTw, h * kTw};
}
} // namespace

DesignModel designTimeLayout() {
    DesignModel m;
    m.canvas = {600, 11100, 640 * kTw + 115, 120 * kTw + 360};
    // Picture buttons in two rows of 24 x 24, the task area beside them.
    for (int i = 0; i < kButtonPicCount; ++i) {
        const int slot = i < kTaskArea ? i : i - 1;
        m.elements[i] = px(8 + (slot % 11) * 28, 8 + (slot / 11) * 28, 24, 24);
    }
    m.elements[kTaskArea] = px(320, 8, 120, 52);
    m.elements[kPicture1] = px(448, 8, 61, 32);
    m.elements[kLabel1] = px(520, 8, 64, 32);
    m.elements[kProgressBar1] = px(8, 72, 200, 16);
    m.elements[kHScroll1] = px(216, 72, 96, 24);
    m.elements[kVScroll1] = px(320, 72, 96, 24);
    m.elements[kImage1] = {};
    return m;
}

RunError applySkinSettings(const std::string& text, DesignModel& m) {
    ListInput in(text, kSkinSettingsFile);
    auto num = [&](double& into) {
        int16_t v = 0;
        RunError e = in.readInt16(v);
        if (!e.failed())
            into = v;
        return e;
    };
    // The name is a whole line: a comma in it must not shift every value
    // after it (the bar reads it the same way).
    if (auto e = in.readLine(m.shellName); e.failed())
        return e;
    for (double* v : {&m.canvas.left, &m.canvas.top, &m.canvas.width, &m.canvas.height})
        if (auto e = num(*v); e.failed())
            return e;
    for (int i = 0; i < kButtonPicCount; ++i)
        for (double* v : {&m.elements[i].left, &m.elements[i].top})
            if (auto e = num(*v); e.failed())
                return e;
    for (double* v : {&m.elements[kTaskArea].width, &m.elements[kTaskArea].height,
                      &m.elements[kPicture1].left, &m.elements[kPicture1].top,
                      &m.elements[kLabel1].left, &m.elements[kLabel1].top})
        if (auto e = num(*v); e.failed())
            return e;
    for (int el : {kProgressBar1, kHScroll1, kVScroll1}) {
        TwipRect& b = m.elements[el];
        for (double* v : {&b.left, &b.top, &b.width, &b.height})
            if (auto e = num(*v); e.failed())
                return e;
    }
    std::string word;
    if (auto e = in.readText(word); e.failed())
        return e;
    m.orientation = word == "True" ? Orientation::Horizontal : Orientation::Vertical;
    int32_t colour = 0;
    if (auto e = in.readInt32(colour); e.failed())
        return e;
    m.buttonColour = colour;
    if (auto e = in.readInt32(colour); e.failed())
        return e;
    m.listColour = colour;
    return {};
}

std::string formatPlain(double v) {
    if (v == 0)
        return "0"; // never "-0"
    if (std::nearbyint(v) == v && std::fabs(v) < 1e15)
        return std::to_string(static_cast<long long>(v));
    char buf[40];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*f", digits, v);
        if (std::strtod(buf, nullptr) == v)
            break;
    }
    std::string s = buf;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

namespace {
// Checks and converts one value; `what` names it for the message.
struct FileValues {
    std::string problem;

    bool fits(double v, double lo, double hi, const std::string& what, int16_t& out) {
        const double r = std::nearbyint(v);
        if (r >= lo && r <= hi) {
            out = static_cast<int16_t>(r);
            return true;
        }
        if (problem.empty())
            problem = "The skin was not written: " + what + " is " + formatPlain(r) +
                      " twips, outside the " + formatPlain(lo) + " to " + formatPlain(hi) +
                      " that the skin file can hold. Move or resize it and make the file "
                      "again; the old file was kept.";
        return false;
    }
    bool fits(double v, const std::string& what, int16_t& out) {
        return fits(v, -32768, 32767, what, out);
    }
};

std::string elementName(int i) {
    switch (i) {
    case kTaskArea: return "the task list area (buttonpic 10)";
    case kPicture1: return "the CPU meter (Picture1)";
    case kLabel1: return "the clock (Label1)";
    case kProgressBar1: return "the MP3 progress bar (ProgressBar1)";
    case kHScroll1: return "the \"MP3 Volume\" button (HScroll1)";
    case kVScroll1: return "the \"MP3 Balance\" button (VScroll1)";
    default:
        return "the " + std::string(elementBitmapName(i)) + " button (buttonpic " +
               std::to_string(i) + ")";
    }
}
} // namespace

bool layoutForFile(const DesignModel& m, SkinLayout& l, std::string& problem) {
    FileValues f;
    const std::string canvas = "the canvas window";
    l.displayName = m.shellName;
    f.fits(m.canvas.left, "the left edge of " + canvas, l.barLeft);
    f.fits(m.canvas.top, "the top edge of " + canvas, l.barTop);
    // The bar takes the frame off the stored size: what is left must fit too.
    int16_t size = 0;
    if (f.fits(m.canvas.width, -32768 + kCanvasExtraWidth, 32767, "the width of " + canvas, size))
        l.barWidth = static_cast<int16_t>(size - kCanvasExtraWidth);
    if (f.fits(m.canvas.height, -32768 + kCanvasExtraHeight, 32767, "the height of " + canvas,
               size))
        l.barHeight = static_cast<int16_t>(size - kCanvasExtraHeight);
    for (int i = 0; i < kButtonPicCount; ++i) {
        f.fits(m.elements[i].left, "the left edge of " + elementName(i), l.elements[i].left);
        f.fits(m.elements[i].top, "the top edge of " + elementName(i), l.elements[i].top);
    }
    const TwipRect& task = m.elements[kTaskArea];
    f.fits(task.width, "the width of " + elementName(kTaskArea), l.taskAreaWidth);
    f.fits(task.height, "the height of " + elementName(kTaskArea), l.taskAreaHeight);
    for (auto [el, at] : {std::pair{kPicture1, &l.cpuMeter}, std::pair{kLabel1, &l.clock}}) {
        f.fits(m.elements[el].left, "the left edge of " + elementName(el), at->left);
        f.fits(m.elements[el].top, "the top edge of " + elementName(el), at->top);
    }
    for (auto [el, at] : {std::pair{kProgressBar1, &l.positionBar},
                          std::pair{kHScroll1, &l.balanceSlider},
                          std::pair{kVScroll1, &l.volumeSlider}}) {
        const TwipRect& b = m.elements[el];
        f.fits(b.left, "the left edge of " + elementName(el), at->left);
        f.fits(b.top, "the top edge of " + elementName(el), at->top);
        f.fits(b.width, "the width of " + elementName(el), at->width);
        f.fits(b.height, "the height of " + elementName(el), at->height);
    }
    l.horizontalFlag = m.orientation == Orientation::Horizontal ? "True" : "False";
    l.buttonColour = m.buttonColour;
    l.listColour = m.listColour;
    problem = f.problem;
    return problem.empty();
}

SkinTextGroups skinSettingsText(const SkinLayout& layout) {
    // The file's own writer, cut at the lines where the progress window
    // names the next group.
    const std::string all = writeSkinLayout(layout);
    auto endOfLine = [&](size_t line) {
        size_t pos = 0;
        for (size_t n = 0; n < line && pos != std::string::npos; ++n) {
            pos = all.find("\r\n", pos);
            if (pos != std::string::npos)
                pos += 2;
        }
        return pos == std::string::npos ? all.size() : pos;
    };
    const size_t a = endOfLine(1), b = endOfLine(49), c = endOfLine(55);
    return {all.substr(0, a), all.substr(a, b - a), all.substr(b, c - b), all.substr(c)};
}

} // namespace tessel::designer
