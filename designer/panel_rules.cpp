#include "designer/panel_rules.h"

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

double& sizeOf(Box& b, Dimension d) { return d == Dimension::Width ? b.width : b.height; }

double steppedSize(double current, int delta) {
    const double next = current + delta;
    if (next < 0)
        return 0;
    if (next > kLargestSize && delta > 0)
        return current;
    return next;
}

} // namespace tessel::designer
