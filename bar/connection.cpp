#include "bar/connection.h"

namespace tessel {

namespace {
std::string trimBlanks(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}
} // namespace

bool sameConnectionName(const std::string& entryName, const std::string& storedName) {
    return trimBlanks(entryName) == trimBlanks(storedName);
}

bool isNetworkAddress(unsigned long a) {
    a &= 0xFFFFFFFFul;
    return a != 0 && (a >> 24) != 127;
}

} // namespace tessel
