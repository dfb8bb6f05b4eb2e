// The skin settings file: any text. A layout that reads is written back the
// designer's way, and that text must read to the same layout.
#include "formats/skin_files.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tessel::SkinLayout layout;
    int lines = 0;
    if (tessel::readSkinLayout(text, layout, &lines).failed())
        return 0;
    // The flag is written as it stands, as the designer writes it: a flag
    // holding a comma, a quote or a line break, or with blanks at either end
    // (only ever read from a broken file, through quotes), cannot come back
    // the same, and is not asked to.
    const std::string& flag = layout.horizontalFlag;
    if (flag.find_first_of(",\"\r\n") != std::string::npos ||
        (!flag.empty() && (flag.front() == ' ' || flag.front() == '\t' || flag.back() == ' ' ||
                           flag.back() == '\t')))
        return 0;
    const std::string written = tessel::writeSkinLayout(layout);
    tessel::SkinLayout again;
    if (tessel::readSkinLayout(written, again).failed())
        __builtin_trap();
    if (tessel::writeSkinLayout(again) != written)
        __builtin_trap();
    return 0;
}
