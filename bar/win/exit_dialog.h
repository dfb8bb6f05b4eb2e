// The exit dialog: "Shutdown", "Restart" and "Exit Tessel", in the skin's
// dialog frame.
#pragma once
#include <windows.h>

namespace tessel::win {

class BarWindow;

// Shows the dialog without blocking; while it is open a second call only
// brings it to the front.
void showExitDialog(BarWindow& bar);

} // namespace tessel::win
