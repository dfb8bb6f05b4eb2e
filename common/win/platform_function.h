// Platform functions looked up by name at run time, for those that older
// systems lack or that live in a library loaded on demand.
#pragma once
#include <windows.h>

namespace zt {

// `name` from `module` as the function type `Fn`; null when the module is
// null or lacks it. The cast through void* keeps the compiler from warning
// about casts between unrelated function types.
template <typename Fn> Fn platformFunction(HMODULE module, const char* name) noexcept {
    if (!module || !name)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace zt
