#include "designer/design_model.h"

#include "formats/list_input.h"
#include "formats/skin_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tessel::designer {

namespace {
constexpr double kTw = 15; // twips per pixel of the design-time layout (96 DPI)

Box px(double l, double t, double w, double h) { return {l * kTw, t * kTw, w * kTw, h * kTw}; }
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
        if (!e)
            into = v;
        return e;
    };
    // The name is a whole line: a comma in it must not shift every value
    // after it (the bar reads it the same way).
    if (auto e = in.readLine(m.shellName))
        return e;
    for (double* v : {&m.canvas.left, &m.canvas.top, &m.canvas.width, &m.canvas.height})
        if (auto e = num(*v))
            return e;
    for (int i = 0; i < kButtonPicCount; ++i)
        for (double* v : {&m.elements[i].left, &m.elements[i].top})
            if (auto e = num(*v))
                return e;
    for (double* v : {&m.elements[kTaskArea].width, &m.elements[kTaskArea].height,
                      &m.elements[kPicture1].left, &m.elements[kPicture1].top,
                      &m.elements[kLabel1].left, &m.elements[kLabel1].top})
        if (auto e = num(*v))
            return e;
    for (int el : {kProgressBar1, kHScroll1, kVScroll1}) {
        Box& b = m.elements[el];
        for (double* v : {&b.left, &b.top, &b.width, &b.height})
            if (auto e = num(*v))
                return e;
    }
    std::string word;
    if (auto e = in.readText(word))
        return e;
    m.orientation = word == "True" ? Orientation::Horizontal : Orientation::Vertical;
    int32_t colour = 0;
    if (auto e = in.readInt32(colour))
        return e;
    m.buttonColour = colour;
    if (auto e = in.readInt32(colour))
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

std::string formatValueForFile(double v) {
    std::string s = formatPlain(v);
    return (s[0] == '-' ? "" : " ") + s + " ";
}

SkinTextGroups skinSettingsText(const DesignModel& m) {
    SkinTextGroups g;
    auto line = [](std::string& to, const std::string& v) { to += v + "\r\n"; };
    auto num = [&](std::string& to, double v) { line(to, formatValueForFile(v)); };

    line(g.name, m.shellName);
    for (double v : {m.canvas.left, m.canvas.top, m.canvas.width, m.canvas.height})
        num(g.positions, v);
    for (int i = 0; i < kButtonPicCount; ++i) {
        num(g.positions, m.elements[i].left);
        num(g.positions, m.elements[i].top);
    }
    for (double v : {m.elements[kTaskArea].width, m.elements[kTaskArea].height,
                     m.elements[kPicture1].left, m.elements[kPicture1].top,
                     m.elements[kLabel1].left, m.elements[kLabel1].top})
        num(g.dimensions, v);
    for (int el : {kProgressBar1, kHScroll1, kVScroll1}) {
        const Box& b = m.elements[el];
        for (double v : {b.left, b.top, b.width, b.height})
            num(g.playerAndRest, v);
    }
    line(g.playerAndRest, m.orientation == Orientation::Horizontal ? "True" : "False");
    num(g.playerAndRest, m.buttonColour);
    num(g.playerAndRest, m.listColour);
    return g;
}

} // namespace tessel::designer
