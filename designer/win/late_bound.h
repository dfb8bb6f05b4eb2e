// What the designer takes from libraries it loads on first use rather than at
// start, so that its windows appear sooner: the common file dialogs and the
// picture loader's COM.
#pragma once
#include <windows.h>

#include "common/win/platform_function.h"

#include <string>

namespace tessel::designer::win {

template <typename F> F lateBound(const char* dll, const char* name) {
    HMODULE m = GetModuleHandleA(dll);
    return zt::platformFunction<F>(m ? m : LoadLibraryA(dll), name);
}
// COM for the picture loader, once per run.
bool initPictures();

// The common file dialogs; an empty result on cancel. `filter` is in the
// "Name|pattern" form.
std::string askOpenPath(HWND owner, const char* filter, const std::string& startFolder);
std::string askSavePath(HWND owner, const char* filter);

} // namespace tessel::designer::win
