// Window-free rules of the loader and its configuration sheet: the list of
// applications in "Zirvane2.ini", the names the add dialog accepts, the
// autostart command and the small texts the pages show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zrv::loader {

// Longest piece of a line the list refill reads at a time; a longer line is
// handled as several pieces, each as a line of its own.
inline constexpr std::size_t kListLinePiece = 253;

// The application names listed for the text of "Zirvane2.ini": every line
// that starts with "[" and has a "]" gives the text between them; a section
// spelled exactly "GLOBAL" is not an application. Order as in the file (the
// list box sorts).
std::vector<std::string> listedApplications(std::string_view fileText);

// The section name of one line, or false when the line names none (or names
// "GLOBAL").
bool applicationOfLine(std::string_view line, std::string& name);

enum class AppNameCheck {
    Accept,
    TooShort,   // 4 characters or fewer: dropped without a word
    Unsafe,     // holds "]", CR or LF: would break the file's section lines
};
AppNameCheck checkApplicationName(std::string_view name);

// The message shown when a name is refused as unsafe.
inline constexpr char kUnsafeNameText[] =
    "An application name cannot contain \"]\" or a line break.";
inline constexpr char kUnsafeNameCaption[] = "Invalid application name";

// The autostart command: the install folder, a backslash, the loader's name.
std::string autostartCommand(std::string_view installDir);
// The Startup page shows the Run value as set when it is longer than 8
// characters (anything shorter cannot name the loader).
bool autostartShownOn(std::string_view runValue);
// Bytes given to the registry for a REG_SZ value: the text and its zero.
std::size_t registryStringBytes(std::string_view text);

// The loader records its folder when the stored one is shorter than 2
// characters.
bool installDirNeedsWriting(std::string_view stored);

// "8 pixels": the live label of the shadow settings dialog.
std::string pixelsLabel(int position);

// A check box's value as written: "1" or "0".
inline const char* flagText(bool on) { return on ? "1" : "0"; }

} // namespace zrv::loader
