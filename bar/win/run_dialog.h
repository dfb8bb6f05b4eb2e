// The run dialog: a command box, "Run" and "Browse".
#pragma once

namespace tessel::win {

class BarWindow;

// Shows the dialog, or hides it when it is shown.
void toggleRunDialog(BarWindow& bar);

} // namespace tessel::win
