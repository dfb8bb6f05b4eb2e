#include "bar/win/program_start.h"

#include "bar/program_editing.h"
#include "common/win/files.h"
#include "common/win/scoped.h"

#include <vector>

namespace tessel::win {

RunError startCommand(const std::string& command, int show) {
    const DWORD attrs = GetFileAttributesA(command.c_str());
    const bool namesAFile =
        attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
    const std::string commandLine = commandLineFor(command, namesAFile);
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    zt::ScopedProcessInfo started;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        started.out()))
        return RunError::at(fileErrorNumber(GetLastError()), command);
    return {};
}

} // namespace tessel::win
