// Writing a file so that its old content survives any failure. The bar and
// the designer both save through this one writer.
#pragma once
#include <windows.h>

#include <string>

namespace zt {

// The text goes to a temporary file beside the target (so that the
// replacement is a rename within one volume), which takes the target's place
// only once everything is written, flushed and closed. Whatever fails, the
// temporary file is closed and then removed, and the target is left as it
// was. Every call returns 0 or the system error code of the failure.
//
// A folder closed to the user (a program folder under Program Files, where
// the installer opens only the files themselves) allows no temporary file
// beside the target. The target is then rewritten in place: its room is made
// first, so that a full disk fails before anything changes, and a write that
// fails part way puts the old content back.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile() { discard(); }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    DWORD open(const std::string& path);
    // The in-place way alone, which open() falls back on.
    DWORD openInPlace(const std::string& path);
    DWORD write(const std::string& text);
    DWORD commit();
    // The temporary file while one is open (for tests and messages).
    const std::string& tempPath() const { return temp_; }

private:
    void discard();
    DWORD fail(DWORD error);
    DWORD commitInPlace();

    std::string target_;
    std::string temp_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool inPlace_ = false;
    std::string pending_; // the new content, when rewriting in place
};

// The whole text in one go: 0 or the system error code.
DWORD replaceFileContents(const std::string& path, const std::string& text);

} // namespace zt
