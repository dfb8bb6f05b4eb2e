// The effects library's own reading of the settings files: an integer value
// as the profile functions hand it over (any bytes up to a zero), and the
// section name taken from a module path of any length.
#include "hooklib/effect_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zrv::parseProfileInt(text.c_str());

    char section[zrv::kAppSectionSize];
    std::memset(section, 0x55, sizeof section);
    zrv::applicationSectionName(text.c_str(), section);
    // Always terminated inside the buffer, and never holding a backslash.
    const void* end = std::memchr(section, 0, sizeof section);
    if (!end)
        __builtin_trap();
    if (std::strchr(section, '\\'))
        __builtin_trap();
    return 0;
}
