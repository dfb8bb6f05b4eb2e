// The bar's program folder and its own settings file there.
#pragma once

#include <string>

namespace tessel::win {

// The folder tessel.exe was started from, without a trailing backslash, in
// a form the ANSI file functions reach (its short form when its name has
// characters outside the ANSI code page). False when it has no such form;
// `wide` then holds its real name.
bool reachableProgramFolder(std::string& folder, std::wstring& wide);
std::string programFolder();

// Values of our own settings file "tessel.ini" in the program folder,
// section "Tessel".
std::string barSetting(const char* key);
inline constexpr char kSettingsFile[] = "tessel.ini";
inline constexpr char kSettingsSection[] = "Tessel";
inline constexpr char kInternetKey[] = "Internet";
inline constexpr char kConnectionKey[] = "Connection";

} // namespace tessel::win
