// The bar's and the designer's failures, each carried as one of the classic
// run-time error numbers with a description that names the file and line, so
// that a user can mend a skin by hand.
#pragma once

#include <string>

namespace tessel {

enum class ErrorNumber : int {
    None = 0,
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    FileNotFound = 53,
    DeviceIoError = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
    DeviceUnavailable = 68,
    InvalidFileFormat = 321,
    InvalidPicture = 481,
};

// The standard text of each number ("File not found", ...).
const char* errorText(ErrorNumber n);

class RunError {
public:
    RunError() = default;
    RunError(ErrorNumber n, std::string description)
        : number_(n), description_(std::move(description)) {}

    // "<text> (<file>, line <n>)", or "<text> (<file>)" for line 0.
    static RunError at(ErrorNumber n, const std::string& file, int line = 0);

    // True for a failure; a default RunError is success.
    bool failed() const { return number_ != ErrorNumber::None; }
    ErrorNumber number() const { return number_; }
    int code() const { return static_cast<int>(number_); }
    const std::string& description() const { return description_; }

    // "Error 53 has occured, File not found (...)" - the message box text.
    std::string report() const;
    // "Error 53\r\nFile not found (...)\r\n" - the form used for program starts.
    std::string reportOnLines() const;

private:
    ErrorNumber number_ = ErrorNumber::None;
    std::string description_;
};

} // namespace tessel
