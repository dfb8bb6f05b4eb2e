#include "formats/twips.h"

#include <cmath>

namespace tessel {

int twipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips / twipsPerPixel(dpi)));
}

double pixelsToTwips(int pixels, int dpi) { return pixels * twipsPerPixel(dpi); }

} // namespace tessel
