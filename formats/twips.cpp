#include "formats/twips.h"

#include <cmath>

namespace tessel {

double twipsPerPixel(int dpi) { return dpi > 0 ? double(kTwipsPerInch) / dpi : 15.0; }

int twipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips / twipsPerPixel(dpi)));
}

double pixelsToTwips(int pixels, int dpi) { return pixels * twipsPerPixel(dpi); }

} // namespace tessel
