// Names the platform matches without regard to case (property atoms, profile
// keys), compared in ASCII: no locale, no allocation, safe on any thread.
#pragma once

namespace zrv {

inline bool sameAsciiName(const char* a, const char* b) noexcept {
    for (;; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

} // namespace zrv
