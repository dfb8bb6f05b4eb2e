// Which programs a hook library can reach.
#pragma once

namespace zrv::binding {

// Whether a loader's library can be hooked into a program: a library runs
// only in programs of its own bitness. `selfWow64` and `targetWow64` are what
// the platform says of the loader's process and of the program's (a 32-bit
// process on 64-bit Windows).
bool reachesProgram(bool library64, bool selfWow64, bool targetWow64);

} // namespace zrv::binding
