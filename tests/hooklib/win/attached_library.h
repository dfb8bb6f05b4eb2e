// The library linked into a test program, attached once for the whole run as
// a hooked process attaches it.
#pragma once
#include "hooklib/win/process_state.h"

namespace zrv::test {

inline void attachLibraryOnce() {
    static const bool attached = [] {
        zrv::processAttach(nullptr);
        return true;
    }();
    (void)attached;
}

} // namespace zrv::test
