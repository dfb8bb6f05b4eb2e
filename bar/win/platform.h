// Small Win32 services of the bar: files, colours, program starts, the error
// report and our own settings file.
#pragma once
#include <windows.h>

#include "common/win/program_folder.h"
#include "common/win/scoped.h"
#include "formats/run_error.h"

#include <string>

namespace tessel::win {

// The folder tessel.exe was started from, without a trailing backslash, in
// a form the ANSI file functions reach (its short form when its name has
// characters outside the ANSI code page). False when it has no such form;
// `wide` then holds its real name.
bool reachableProgramFolder(std::string& folder, std::wstring& wide);
std::string programFolder();

// Whole file as text; 53 for a missing file, 76 for a missing folder, 70
// for a file locked by another program or closed to us, 57 for a read that
// fails part way. A file saved as UTF-8 with a byte order mark is taken in
// the ANSI code page; 321, naming the file, when it holds characters that
// code page has no place for.
RunError readTextFile(const std::string& path, const char* shownName, std::string& text);

// Writes the whole text to a new file beside `path`, then puts it in place
// of the old one: a failed write leaves the old file as it was. 70 when the
// file or folder may not be written, 61 for a full disk, 75 otherwise.
RunError replaceFile(const std::string& path, const std::string& text, const char* shownName);

// The error number for a failed file operation's system error code.
ErrorNumber fileErrorNumber(DWORD systemError);

// 0x00BBGGRR, or a system colour when the top bit is set.
COLORREF colourValue(int32_t value);

// A skin picture: 53 for a picture that is not there, 481 for one that
// cannot be read.
RunError loadPicture(const std::string& path, zt::ScopedBitmap& into);

// Starts a command line; the window style is SW_SHOWNORMAL or SW_HIDE.
// 53 or 76 when the program is not there, 70 when it may not be run, 5
// when it is there but is no program this system can start.
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
