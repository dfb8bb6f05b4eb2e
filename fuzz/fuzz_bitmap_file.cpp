// Skin pictures: any bytes. A layout that is accepted must lie wholly inside
// the input, headers and colour table before the rows.
#include "formats/bitmap_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessel::BitmapFileLayout l;
    if (!tessel::uncompressedBitmapLayout(data, size, l))
        return 0;
    const std::uint64_t table = 14u + 40u + std::uint64_t(l.colours) * 4u;
    if (l.pixelOffset > size || l.pixelBytes > size - l.pixelOffset || table > l.pixelOffset ||
        l.width <= 0 || l.height <= 0 || l.colours > 256)
        std::abort();
    return 0;
}
