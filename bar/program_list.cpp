#include "bar/program_list.h"

#include "formats/list_input.h"
#include "formats/skin_files.h"

namespace tessel {

RunError readProgramList(const std::string& text, ProgramList& list) {
    ListInput in(text, kProgramListFile);
    int16_t count = 0;
    if (auto e = in.readInt16(count); e.failed())
        return e;
    // The list has room for 200 entries; a negative count is no list at all.
    if (count > kMaxPrograms || count < 0)
        return RunError::at(ErrorNumber::SubscriptOutOfRange, kProgramListFile, 1);
    list.entries.assign(static_cast<size_t>(count), {});
    for (auto& entry : list.entries) {
        if (auto e = in.readLine(entry.name); e.failed())
            return e;
        if (auto e = in.readLine(entry.commandLine); e.failed())
            return e;
    }
    return {};
}

std::string writeProgramList(const ProgramList& list) {
    std::string s = formatNumberForFile(static_cast<long long>(list.entries.size())) + "\r\n";
    for (const auto& e : list.entries)
        s += e.name + "\r\n" + e.commandLine + "\r\n";
    return s;
}

} // namespace tessel
