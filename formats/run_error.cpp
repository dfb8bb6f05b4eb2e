#include "formats/run_error.h"

namespace tessel {

const char* errorText(ErrorNumber n) {
    switch (n) {
    case ErrorNumber::None: return "No error";
    case ErrorNumber::InvalidCall: return "Invalid procedure call or argument";
    case ErrorNumber::SubscriptOutOfRange: return "Subscript out of range";
    case ErrorNumber::DeviceIoError: return "Device I/O error";
    case ErrorNumber::DiskFull: return "Disk full";
    case ErrorNumber::PermissionDenied: return "Permission denied";
    case ErrorNumber::PathFileAccessError: return "Path/File access error";
    case ErrorNumber::Overflow: return "Overflow";
    case ErrorNumber::OutOfMemory: return "Out of memory";
    case ErrorNumber::TypeMismatch: return "Type mismatch";
    case ErrorNumber::FileNotFound: return "File not found";
    case ErrorNumber::InputPastEndOfFile: return "Input past end of file";
    case ErrorNumber::PathNotFound: return "Path not found";
    case ErrorNumber::DeviceUnavailable: return "Device unavailable";
    case ErrorNumber::InvalidFileFormat: return "Invalid file format";
    case ErrorNumber::InvalidPicture: return "Invalid picture";
    }
    return "Unknown error";
}

RunError RunError::at(ErrorNumber n, const std::string& file, int line) {
    std::string d = errorText(n);
    if (!file.empty()) {
        d += " (" + file;
        if (line > 0)
            d += ", line " + std::to_string(line);
        d += ")";
    }
    return RunError(n, d);
}

std::string RunError::report() const {
    return "Error " + std::to_string(code()) + " has occured, " + description_;
}

std::string RunError::reportOnLines() const {
    return "Error " + std::to_string(code()) + "\r\n" + description_ + "\r\n";
}

} // namespace tessel
