#include "designer/panel_rules.h"

#include <algorithm>

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tessel::designer {

namespace {
constexpr double kLargestSize = 32767; // the skin file's 16-bit fields
}

const SizeBox* sizeBox(int textNumber) {
    for (const auto& b : kSizeBoxes)
        if (b.textNumber == textNumber)
            return &b;
    return nullptr;
}

const ArrowStep* arrowStep(int commandNumber) {
    for (const auto& s : kArrowSteps)
        if (s.commandNumber == commandNumber)
            return &s;
    return nullptr;
}

bool parseSize(const std::string& text, double& out) {
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos)
        return false;
    const std::string t = text.substr(b, e - b + 1);
    // Only plain decimal forms: strtod would also take "inf", "nan" and
    // hexadecimal numbers.
    if (t.find_first_not_of("+-.0123456789eE") != std::string::npos)
        return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(v))
        return false;
    if (v < 0 || v > kLargestSize)
        return false;
    out = v;
    return true;
}

double& sizeOf(TwipRect& b, Dimension d) {
    return d == Dimension::Width ? b.width : b.height;
}

double steppedSize(double current, int delta) {
    const double next = current + delta;
    if (next < 0)
        return 0;
    if (next > kLargestSize && delta > 0)
        return current;
    return next;
}

namespace {
long long overlapArea(const ScreenRect& a, const ScreenRect& b) {
    const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The start that keeps [start, start + size) inside [lo, hi), or lo when
// it cannot fit.
int clampInto(int start, int size, int lo, int hi) {
    return std::max(lo, std::min(start, hi - size));
}
} // namespace

ScreenRect panelPlace(const ScreenRect& canvas, int w, int h, const ScreenRect& work) {
    const int beside[4][2] = {
        {canvas.left, canvas.bottom},     // below
        {canvas.left, canvas.top - h},    // above
        {canvas.right, canvas.top},       // right
        {canvas.left - w, canvas.top},    // left
    };
    ScreenRect best;
    long long bestOverlap = -1;
    for (const auto& at : beside) {
        const int left = clampInto(at[0], w, work.left, work.right);
        const int top = clampInto(at[1], h, work.top, work.bottom);
        const ScreenRect r = {left, top, left + w, top + h};
        const long long o = overlapArea(r, canvas);
        if (bestOverlap < 0 || o < bestOverlap) {
            best = r;
            bestOverlap = o;
        }
    }
    return best;
}

} // namespace tessel::designer
