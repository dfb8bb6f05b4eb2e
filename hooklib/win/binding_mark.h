// The mark of a live binding: a named mutex that the loader (or its
// companion) holds for as long as it has the library bound, one name per
// bitness. Its handle dies with the loader's process, however that ends, so a
// loader that was killed leaves no mark, whatever the platform keeps of its
// hooks: no new thread hooks itself under its binding, and the next loader
// does not take it for a resident copy.
#pragma once
#include <windows.h>

#include "common/win/scoped.h"

namespace zrv {

inline const char* bindingMarkName() noexcept {
    return sizeof(void*) == 8 ? "Local\\ZirvaneBinding64" : "Local\\ZirvaneBinding32";
}

// Made by the binder; closing the handle takes the mark away.
inline HANDLE makeBindingMark() noexcept { return CreateMutexA(nullptr, FALSE, bindingMarkName()); }

inline bool bindingMarkPresent() noexcept {
    const DWORD error = GetLastError();
    // Only looked for: the handle closes again at once, before the error is
    // put back.
    const bool present =
        static_cast<bool>(zt::ScopedKernelHandle(OpenMutexA(SYNCHRONIZE, FALSE, bindingMarkName())));
    SetLastError(error);
    return present;
}

} // namespace zrv
