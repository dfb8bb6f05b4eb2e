#include "formats/list_input.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tessel {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
} // namespace

ListInput::ListInput(std::string text, std::string fileName)
    : text_(std::move(text)), fileName_(std::move(fileName)) {}

void ListInput::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

bool ListInput::atLineEnd() const { return pos_ >= text_.size() || isLineEnd(text_[pos_]); }

void ListInput::consumeLineEnd() {
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    } else if (text_[pos_] == '\n') {
        ++pos_;
    }
    ++currentLine_;
}

RunError ListInput::checkNotAtEnd() {
    valueLine_ = currentLine_;
    if (pos_ >= text_.size())
        return fail(ErrorNumber::InputPastEndOfFile);
    return {};
}

RunError ListInput::readNumber(double& out) {
    if (auto e = checkNotAtEnd(); e.failed())
        return e;
    skipBlanks();
    size_t start = pos_;
    while (pos_ < text_.size() && !isBlank(text_[pos_]) && text_[pos_] != ',' &&
           !isLineEnd(text_[pos_]))
        ++pos_;
    std::string token = text_.substr(start, pos_ - start);

    // What ends the number: blanks up to a comma or the line end are part of
    // the delimiter; anything else starts the next value on the same line.
    skipBlanks();
    if (pos_ < text_.size() && text_[pos_] == ',')
        ++pos_;
    else if (atLineEnd())
        consumeLineEnd();

    if (token.empty()) {
        out = 0; // an empty field reads as zero
        return {};
    }
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(token.c_str(), &end);
    // strtod also takes "inf", "nan" and hexadecimal forms: none of them is a
    // number of these files.
    bool plain = token.find_first_not_of("+-.0123456789eE") == std::string::npos;
    if (!plain || end != token.c_str() + token.size())
        return fail(ErrorNumber::TypeMismatch);
    // A well-formed number beyond the range of a real ("1e400") is too
    // large, not of the wrong type; one too small to tell from zero reads as 0.
    if (errno == ERANGE && std::fabs(v) > 1)
        return fail(ErrorNumber::Overflow);
    if (!std::isfinite(v))
        return fail(ErrorNumber::TypeMismatch);
    out = v;
    return {};
}

RunError ListInput::readReal(double& out) { return readNumber(out); }

namespace {
template <typename T> bool roundInto(double v, T& out, double lo, double hi) {
    double r = std::nearbyint(v);
    if (!(r >= lo && r <= hi))
        return false;
    out = static_cast<T>(r);
    return true;
}
} // namespace

RunError ListInput::readInt16(int16_t& out) {
    double v = 0;
    if (auto e = readNumber(v); e.failed())
        return e;
    if (!roundInto(v, out, -32768.0, 32767.0))
        return fail(ErrorNumber::Overflow);
    return {};
}

RunError ListInput::readInt32(int32_t& out) {
    double v = 0;
    if (auto e = readNumber(v); e.failed())
        return e;
    if (!roundInto(v, out, -2147483648.0, 2147483647.0))
        return fail(ErrorNumber::Overflow);
    return {};
}

RunError ListInput::readText(std::string& out) {
    if (auto e = checkNotAtEnd(); e.failed())
        return e;
    skipBlanks();
    out.clear();
    if (pos_ < text_.size() && text_[pos_] == '"') {
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && !isLineEnd(text_[pos_]))
            out += text_[pos_++];
        if (pos_ < text_.size() && text_[pos_] == '"')
            ++pos_;
        // Whatever follows the closing quote up to the delimiter is dropped.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            out += text_[pos_++];
    }
    if (pos_ < text_.size() && text_[pos_] == ',')
        ++pos_;
    else
        consumeLineEnd();
    return {};
}

RunError ListInput::readLine(std::string& out) {
    if (auto e = checkNotAtEnd(); e.failed())
        return e;
    out.clear();
    while (pos_ < text_.size() && !isLineEnd(text_[pos_]))
        out += text_[pos_++];
    consumeLineEnd();
    return {};
}

} // namespace tessel
