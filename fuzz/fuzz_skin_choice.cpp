// "tessel.tsi": any text names some skin folder or fails with a reason.
#include "formats/skin_files.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string folder;
    const tessel::RunError e = tessel::readSkinChoice(text, "C:\\Program Files\\Tessel", folder);
    if (e.failed() && e.description().empty())
        __builtin_trap();
    return 0;
}
