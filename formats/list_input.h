// List-input reading: the value-reading rule of the bar's and the designer's
// text files ("tessel.tsi", "skinsettings.tsl", "programs.prg").
//
//  - blanks before a value are skipped;
//  - a number ends at a blank, a comma or the line end; when only blanks
//    follow it, the rest of its line is consumed too; fractions are rounded
//    to the nearest whole number (ties to even) and the result must fit the
//    field;
//  - a text value ends at a comma or the line end; one that begins with a
//    double quote runs to the next double quote, and the quotes are removed;
//  - reading beyond the last line is an error.
#pragma once

#include "formats/run_error.h"

#include <cstdint>
#include <string>

namespace tessel {

class ListInput {
public:
    // `fileName` is only used to describe failures ("skinsettings.tsl, line 4").
    ListInput(std::string text, std::string fileName);

    RunError readInt16(int16_t& out);
    RunError readInt32(int32_t& out);
    // A number as a real value, for fields that keep fractions.
    RunError readReal(double& out);
    RunError readText(std::string& out);
    // The rest of the current line as it stands (commas and quotes kept).
    RunError readLine(std::string& out);

    // 1-based line of the value read last (or of the next one before any).
    int line() const { return valueLine_; }
    bool atEnd() const { return pos_ >= text_.size(); }

private:
    RunError readNumber(double& out);
    RunError checkNotAtEnd();
    void skipBlanks();
    bool atLineEnd() const;
    void consumeLineEnd();
    RunError fail(ErrorNumber n) const { return RunError::at(n, fileName_, valueLine_); }

    std::string text_;
    std::string fileName_;
    size_t pos_ = 0;
    int currentLine_ = 1;
    int valueLine_ = 1;
};

} // namespace tessel
