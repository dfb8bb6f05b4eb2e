// The loader's listing of "Zirvane2.ini": any text gives application names
// that each come from a section line, none of them "GLOBAL".
#include "loader/loader_rules.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& name : zrv::loader::listedApplications(text)) {
        if (name == "GLOBAL")
            __builtin_trap();
        if (name.find('\n') != std::string::npos)
            __builtin_trap();
        zrv::loader::checkApplicationName(name);
    }
    return 0;
}
