// Small Win32 services of the bar: files, colours, program starts, the error
// report and our own settings file.
#pragma once
#include <windows.h>

#include "formats/run_error.h"

#include <string>

namespace tessel::win {

// The folder tessel.exe was started from, without a trailing backslash.
std::string programFolder();

// Whole file as text; 53 for a missing file, 76 for a missing folder.
RunError readTextFile(const std::string& path, const char* shownName, std::string& text);

// 0x00BBGGRR, or a system colour when the top bit is set.
COLORREF colourValue(int32_t value);

// Starts a command line; the window style is SW_SHOWNORMAL or SW_HIDE.
RunError startCommand(const std::string& commandLine, int show);

// "Error N has occured, ..." in a warning box without a title.
void showErrorReport(HWND owner, const RunError& e);
// "Error N\r\n...\r\n", the form used when a program cannot be started.
void showErrorReportOnLines(HWND owner, const RunError& e);
// Error report, then the end of the program.
[[noreturn]] void failAndEnd(HWND owner, const RunError& e);

// Values of our own settings file "tessel.ini" in the program folder,
// section "Tessel".
std::string barSetting(const char* key);
inline constexpr char kSettingsFile[] = "tessel.ini";
inline constexpr char kSettingsSection[] = "Tessel";
inline constexpr char kInternetKey[] = "Internet";
inline constexpr char kConnectionKey[] = "Connection";

int screenDpi();

} // namespace tessel::win
