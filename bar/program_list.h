// "programs.prg": the user's program list. Line 1 holds the count, then each
// entry's name and command line on a line each.
#pragma once

#include "formats/run_error.h"

#include <string>
#include <vector>

namespace tessel {

inline constexpr char kProgramListFile[] = "programs.prg";
inline constexpr int kMaxPrograms = 200;

struct ProgramEntry {
    std::string name;
    std::string commandLine;
};

struct ProgramList {
    std::vector<ProgramEntry> entries; // entry 1 of the file is entries[0]
};

// Names and command lines are taken as whole lines, so that a command line
// such as "C:\Program Files\x.exe",-a keeps its quotes and commas.
RunError readProgramList(const std::string& text, ProgramList& list);
std::string writeProgramList(const ProgramList& list);

} // namespace tessel
