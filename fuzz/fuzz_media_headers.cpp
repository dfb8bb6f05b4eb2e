// Media files the player is given: any bytes. Every header reader (ID3v2,
// MPEG audio frames, Xing/Info/VBRI, WAV chunks) must stay inside the input
// and end.
#include "bar/media_header.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessel::checkMediaHeaders(data, size);
    return 0;
}
