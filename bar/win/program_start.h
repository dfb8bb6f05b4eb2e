// Starting the programs the bar's buttons, program list and run dialog name.
#pragma once
#include <windows.h>

#include "formats/run_error.h"

#include <string>

namespace tessel::win {

// Starts a command line; the window style is SW_SHOWNORMAL or SW_HIDE.
// 53 or 76 when the program is not there, 70 when it may not be run, 5
// when it is there but is no program this system can start.
RunError startCommand(const std::string& commandLine, int show);

} // namespace tessel::win
