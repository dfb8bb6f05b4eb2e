// The program list as the popup and the editor change it, and where the
// popup goes beside the bar.
#pragma once

#include "bar/geometry.h"
#include "formats/program_list.h"

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

// Twips. Beside a vertical bar (left of it in the right half of the screen,
// right of it otherwise), above or below a horizontal one.
struct PopupPlace {
    float left, top;
};
PopupPlace placeProgramPopup(const SnapRect& bar, float popupWidth, float popupHeight,
                             bool horizontal, float screenWidth, float screenHeight);

} // namespace tessel
