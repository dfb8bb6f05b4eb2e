// How the 64-bit loader and its 32-bit companion meet. A 64-bit hook library
// reaches 64-bit programs only; the companion is a small 32-bit program that
// installs the 32-bit library's hooks for the 32-bit programs and follows the
// loader: it updates its library's settings generation whenever the loader
// does, and unhooks and ends when the loader unloads or dies.
#pragma once

#include <string>

namespace zrv::companion {

// The companion and its 32-bit zrv.dll live in this subfolder of the 64-bit
// install folder.
inline constexpr char kSubfolder[] = "x86";
inline constexpr char kExecutable[] = "zrvload32.exe";

// Its message-only window, found by every copy of the loader.
inline constexpr char kWindowClass[] = "ZirvaneCompanion";
// Posted to it when the configuration sheet has told the 64-bit library to
// reload: the companion tells its own library the same.
inline constexpr unsigned kUpdateSettingMessage = 0x8000 + 1; // WM_APP + 1
// WM_CLOSE ends it after unhooking. The loader waits this long for that.
inline constexpr unsigned kEndWaitMs = 3000;

// The loader starts the companion with its own process id as the only
// argument; the companion watches that process and ends with it. Returns
// false for anything but one decimal id greater than 0 that fits 32 bits,
// with blanks around it allowed.
bool parseLoaderId(const char* commandLine, unsigned long& id);
std::string loaderIdArgument(unsigned long id);

} // namespace zrv::companion
