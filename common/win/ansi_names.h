// Names outside the ANSI code page. The programs use the ANSI functions of
// the platform, which turn a character they cannot hold into '?': such a
// name then reaches no file, or another one. These helpers find a form of a
// name the ANSI functions reach exactly, or say that there is none.
#pragma once
#include <windows.h>

#include <string>

namespace zt {

// `wide` in the ANSI code page, character for character; false when one of
// its characters has no place there (no best-fit look-alikes).
bool toAnsiExactly(const std::wstring& wide, std::string& ansi);

// A form of the existing `path` that the ANSI functions reach: the path
// itself when it converts exactly, otherwise its short (8.3) form when the
// system keeps one that converts. False when there is none.
bool ansiPathFor(const std::wstring& path, std::string& ansi);

// UTF-8 text (after a byte order mark) in the ANSI code page; false when a
// character has no place there or the text is not UTF-8.
bool utf8ToAnsiExactly(const std::string& utf8, std::string& ansi);

// The folder of the running program in a form the ANSI functions reach,
// without a trailing backslash. False when it has none; `wide` then holds
// its real name, for the message.
bool reachableProgramFolder(std::string& folder, std::wstring& wide);

} // namespace zt
