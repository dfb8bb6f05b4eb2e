// List-input reading: any text, read with any sequence of value kinds. The
// first bytes choose the reads, the rest is the file.
#include "formats/list_input.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kPlan = 8;
    if (size < kPlan)
        return 0;
    tessel::ListInput in(std::string(reinterpret_cast<const char*>(data) + kPlan, size - kPlan),
                         "fuzz.txt");
    // Each plan byte is a read kind; the plan repeats until the text is used
    // up or a read fails past its end.
    for (int round = 0; round < 64 && !in.atEnd(); ++round) {
        int16_t i16 = 0;
        int32_t i32 = 0;
        double real = 0;
        std::string text;
        tessel::RunError e;
        switch (data[round % kPlan] % 5) {
        case 0: e = in.readInt16(i16); break;
        case 1: e = in.readInt32(i32); break;
        case 2: e = in.readReal(real); break;
        case 3: e = in.readText(text); break;
        default: e = in.readLine(text); break;
        }
        if (e.failed() && e.description().empty())
            __builtin_trap(); // every failure says what and where
        if (in.line() < 1)
            __builtin_trap();
    }
    return 0;
}
