#include "binding/companion_protocol.h"

namespace zrv::companion {

bool parseLoaderId(const char* commandLine, unsigned long& id) {
    if (!commandLine)
        return false;
    const char* p = commandLine;
    while (*p == ' ' || *p == '\t')
        ++p;
    unsigned long long value = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > 0xFFFFFFFFull)
            return false;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    if (digits == 0 || *p != '\0' || value == 0)
        return false;
    id = static_cast<unsigned long>(value);
    return true;
}

std::string loaderIdArgument(unsigned long id) { return std::to_string(id); }

} // namespace zrv::companion
