#include "common/win/replacing_file.h"

#include <algorithm>
#include <cstdint>

namespace zt {

namespace {
// The folder part of `path`, in the form the temporary-name call takes.
std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? path.substr(0, 1)
                                                    : path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return folder;
}

DWORD lastErrorOr(DWORD fallback) {
    const DWORD e = GetLastError();
    return e ? e : fallback;
}
} // namespace

void ReplacingFile::discard() {
    // The handle is closed before the delete: a file still open without
    // sharing cannot be deleted and would stay behind.
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    inPlace_ = false;
    pending_.clear();
    if (!temp_.empty())
        DeleteFileA(temp_.c_str());
    temp_.clear();
}

DWORD ReplacingFile::fail(DWORD error) {
    discard();
    return error;
}

DWORD ReplacingFile::open(const std::string& path) {
    discard();
    target_ = path;
    if (path.empty() || path.back() == '\\' || path.back() == '/')
        return ERROR_INVALID_NAME;
    const DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_ACCESS_DENIED;
    char temp[MAX_PATH] = {};
    if (!GetTempFileNameA(folderOf(path).c_str(), "tsv", 0, temp)) {
        DWORD err = lastErrorOr(ERROR_PATH_NOT_FOUND);
        if (err == ERROR_DIRECTORY) // the folder is not there
            err = ERROR_PATH_NOT_FOUND;
        if (err == ERROR_ACCESS_DENIED && attrs != INVALID_FILE_ATTRIBUTES)
            return openInPlace(path);
        return err;
    }
    temp_ = temp; // made by the call above: from here on it is ours to remove
    file_ = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        return fail(lastErrorOr(ERROR_ACCESS_DENIED));
    return 0;
}

DWORD ReplacingFile::openInPlace(const std::string& path) {
    discard();
    target_ = path;
    const DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES &&
        (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return ERROR_ACCESS_DENIED;
    // Held without sharing until the new content is in: nobody reads half.
    file_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        return lastErrorOr(ERROR_ACCESS_DENIED);
    inPlace_ = true;
    return 0;
}

DWORD ReplacingFile::write(const std::string& text) {
    if (file_ == INVALID_HANDLE_VALUE)
        return ERROR_INVALID_HANDLE;
    if (inPlace_) {
        pending_ += text;
        return 0;
    }
    size_t done = 0;
    while (done < text.size()) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1 << 20));
        if (!WriteFile(file_, text.data() + done, want, &put, nullptr) || put == 0)
            return fail(lastErrorOr(ERROR_DISK_FULL));
        done += put;
    }
    return 0;
}

namespace {
bool writeAllAt(HANDLE file, const std::string& text) {
    LARGE_INTEGER zero = {};
    if (!SetFilePointerEx(file, zero, nullptr, FILE_BEGIN))
        return false;
    size_t done = 0;
    while (done < text.size()) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1 << 20));
        if (!WriteFile(file, text.data() + done, want, &put, nullptr) || put == 0)
            return false;
        done += put;
    }
    return true;
}

bool setSize(HANDLE file, uint64_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}
} // namespace

DWORD ReplacingFile::commitInPlace() {
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file_, &size) || size.QuadPart > (64 << 20))
        return fail(lastErrorOr(ERROR_FILE_TOO_LARGE));
    std::string old(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!old.empty() &&
        (!ReadFile(file_, &old[0], static_cast<DWORD>(old.size()), &got, nullptr) ||
         got != old.size()))
        return fail(lastErrorOr(ERROR_READ_FAULT));
    // The room first: a full disk fails here, before the content changes.
    if (pending_.size() > old.size() && !setSize(file_, pending_.size()))
        return fail(lastErrorOr(ERROR_DISK_FULL));
    if (!writeAllAt(file_, pending_) || !setSize(file_, pending_.size()) ||
        !FlushFileBuffers(file_)) {
        const DWORD err = lastErrorOr(ERROR_WRITE_FAULT);
        if (writeAllAt(file_, old))
            setSize(file_, old.size());
        FlushFileBuffers(file_);
        return fail(err);
    }
    const BOOL closed = CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    discard();
    return closed ? 0 : lastErrorOr(ERROR_WRITE_FAULT);
}

DWORD ReplacingFile::commit() {
    if (file_ == INVALID_HANDLE_VALUE)
        return ERROR_INVALID_HANDLE;
    if (inPlace_)
        return commitInPlace();
    if (!FlushFileBuffers(file_))
        return fail(lastErrorOr(ERROR_DISK_FULL));
    const BOOL closed = CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (!closed)
        return fail(lastErrorOr(ERROR_WRITE_FAULT));
    // A write-protected target keeps its content, as an open for output
    // would have failed on it (a rename may replace a read-only file).
    const DWORD attrs = GetFileAttributesA(target_.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES &&
        (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return fail(ERROR_ACCESS_DENIED);
    if (!MoveFileExA(temp_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(lastErrorOr(ERROR_ACCESS_DENIED));
    temp_.clear();
    return 0;
}

DWORD replaceFileContents(const std::string& path, const std::string& text) {
    ReplacingFile file;
    if (const DWORD e = file.open(path))
        return e;
    if (const DWORD e = file.write(text))
        return e;
    return file.commit();
}

} // namespace zt
