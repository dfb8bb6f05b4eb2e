#include "bar/program_editing.h"

namespace tessel {

bool addProgram(ProgramList& list) {
    if (list.entries.size() >= static_cast<size_t>(kMaxPrograms))
        return false;
    list.entries.push_back({kNewProgramName, kNewProgramCommand});
    return true;
}

bool removeProgram(ProgramList& list, int row) {
    if (row < 0 || static_cast<size_t>(row) >= list.entries.size())
        return false;
    list.entries.erase(list.entries.begin() + row);
    return true;
}

bool updateProgram(ProgramList& list, int row, std::string name, std::string commandLine) {
    if (row < 0 || static_cast<size_t>(row) >= list.entries.size())
        return false;
    list.entries[static_cast<size_t>(row)] = {std::move(name), std::move(commandLine)};
    return true;
}

PopupPlace placeProgramPopup(const TwipRect& barRect, float popupWidth, float popupHeight,
                             bool horizontal, const TwipRect& monitorRect) {
    struct {
        float left, top, width, height;
    } const bar{float(barRect.left), float(barRect.top), float(barRect.width),
                float(barRect.height)},
        monitor{float(monitorRect.left), float(monitorRect.top), float(monitorRect.width),
                float(monitorRect.height)};
    if (!horizontal) {
        const float left = bar.left - monitor.left <= monitor.width / 2 ? bar.left + bar.width
                                                                         : bar.left - popupWidth;
        return {left, bar.top};
    }
    const float top =
        bar.top - monitor.top < monitor.height / 2 ? bar.top + bar.height : bar.top - popupHeight;
    return {bar.left, top};
}

std::string commandLineFor(const std::string& command, bool namesAFile) {
    const bool blank = command.find_first_of(" \t") != std::string::npos;
    if (!namesAFile || !blank || command.find('"') != std::string::npos)
        return command;
    return '"' + command + '"';
}

} // namespace tessel
