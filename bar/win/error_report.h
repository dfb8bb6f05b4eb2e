// The bar's error report: the message box a failed action or start shows.
#pragma once
#include <windows.h>

#include "formats/run_error.h"

namespace tessel::win {

// "Error N has occured, ..." in a warning box without a title.
void showErrorReport(HWND owner, const RunError& e);
// "Error N\r\n...\r\n", the form used when a program cannot be started.
void showErrorReportOnLines(HWND owner, const RunError& e);
// Error report, then the end of the program.
[[noreturn]] void failAndEnd(HWND owner, const RunError& e);

} // namespace tessel::win
