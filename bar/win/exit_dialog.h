// The exit dialog: "Shutdown", "Restart" and "Exit Tessel", in the skin's
// dialog frame.
#pragma once
#include <windows.h>

namespace tessel::win {

class BarWindow;

// Shows the dialog without blocking; a second call while it is open only
// brings it to the front.
void showExitDialog(HINSTANCE instance, const BarWindow& bar);
// For the message loop: true when the message was the dialog's.
bool isExitDialogMessage(MSG& msg);

} // namespace tessel::win
