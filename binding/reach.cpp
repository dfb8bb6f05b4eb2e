#include "binding/reach.h"

namespace zrv::binding {

bool reachesProgram(bool library64, bool selfWow64, bool targetWow64) {
    if (library64)
        return !targetWow64;
    // A 32-bit loader: on 64-bit Windows (itself under WoW64) only 32-bit
    // programs, which run under WoW64 too; on 32-bit Windows every program.
    return targetWow64 == selfWow64;
}

} // namespace zrv::binding
