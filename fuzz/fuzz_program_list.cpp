// "programs.prg": any text. A list that reads is written back and must read
// to the same entries.
#include "bar/program_list.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tessel::ProgramList list;
    if (tessel::readProgramList(text, list).failed())
        return 0;
    if (list.entries.size() > static_cast<std::size_t>(tessel::kMaxPrograms))
        __builtin_trap();
    tessel::ProgramList again;
    if (tessel::readProgramList(tessel::writeProgramList(list), again).failed())
        __builtin_trap();
    if (again.entries.size() != list.entries.size())
        __builtin_trap();
    for (std::size_t i = 0; i < list.entries.size(); ++i)
        if (again.entries[i].name != list.entries[i].name ||
            again.entries[i].commandLine != list.entries[i].commandLine)
            __builtin_trap();
    return 0;
}
