// Reading and replacing the bar's and the designer's files, and the error
// numbers a failed file operation reports.
#pragma once
#include <windows.h>

#include "formats/run_error.h"

#include <cstddef>
#include <string>

namespace tessel {

// The error number for a failed file or program-start operation's system
// error code: 53 file not found, 76 path not found, 70 permission denied,
// 61 disk full, 5 no program this system can start, 75 anything else.
ErrorNumber fileErrorNumber(DWORD systemError);

inline constexpr size_t kAnySize = static_cast<size_t>(-1);

// The file's bytes as they stand. Opening fails with fileErrorNumber's
// number; a file larger than `maxBytes` is 321, one larger than the memory
// left is 7; a read that fails part way is 70 for a locked range and 57
// otherwise, with `data` emptied, since half a file would read as a shorter,
// wrong one. Messages name `path`, or `shownName` when the path is empty.
RunError readWholeFile(const std::string& path, std::string& data, size_t maxBytes = kAnySize,
                       const char* shownName = nullptr);

// The whole file as text, as readWholeFile. A file saved as UTF-8 with a
// byte order mark is taken in the ANSI code page; 321, naming the file, when
// it holds characters that code page has no place for.
RunError readTextFile(const std::string& path, std::string& text, const char* shownName = nullptr,
                      size_t maxBytes = kAnySize);

// Writes the whole text to a new file beside `path`, then puts it in place
// of the old one: a failed write leaves the old file as it was. 70 when the
// file or folder may not be written, 61 for a full disk, 75 otherwise.
RunError replaceFile(const std::string& path, const std::string& text, const char* shownName);

} // namespace tessel
