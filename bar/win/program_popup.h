// The program popup beside the bar (a list of the program names and "Edit
// Programs") and the program list editor.
#pragma once

namespace tessel::win {

class BarWindow;

void showProgramEditor(BarWindow& bar);

} // namespace tessel::win
