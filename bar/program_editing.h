// The program list as the popup and the editor change it, and where the
// popup goes beside the bar.
#pragma once

#include "bar/geometry.h"
#include "bar/program_list.h"

namespace tessel {

inline constexpr char kNewProgramName[] = "Program name";
inline constexpr char kNewProgramCommand[] = "Filename";

// Appends "Program name" / "Filename"; false (list unchanged) when the list
// already holds the most it can.
bool addProgram(ProgramList& list);
// Removes the entry at the 0-based row; false for no row or a row past the end.
bool removeProgram(ProgramList& list, int row);
// Sets the entry at the 0-based row; false when there is no such row.
bool updateProgram(ProgramList& list, int row, std::string name, std::string commandLine);

// Twips. Beside a vertical bar (left of it in the right half of its monitor,
// right of it otherwise), above or below a horizontal one (above it in the
// lower half). `monitor` is the bar's monitor: left, top, width, height.
// Worked out in single precision, as the edge snap is.
struct PopupPlace {
    float left, top;
};
PopupPlace placeProgramPopup(const TwipRect& bar, float popupWidth, float popupHeight,
                             bool horizontal, const TwipRect& monitor);

// The command line that starts `command`. A whole command that names a file
// (`namesAFile`, as the caller found on the disk: a path taken from the file
// browser, or stored that way in the program list) is quoted when it holds a
// blank, so that "C:\Program Files\x.exe" is never looked for as
// "C:\Program.exe" first. Anything else (a program with its arguments, a
// command already quoted) goes as it stands.
std::string commandLineFor(const std::string& command, bool namesAFile);

} // namespace tessel
