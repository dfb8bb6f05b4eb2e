// The designer's small Win32 services: files, pictures, colours, dialogs of
// the platform and the safe replacement of a written file.
#pragma once
#include <windows.h>

#include "common/win/platform_function.h"
#include "common/win/program_folder.h"
#include "common/win/replacing_file.h"
#include "common/win/scoped.h"
#include "formats/run_error.h"

#include <string>

namespace tessel::designer::win {

// The common dialogs and the picture loader come from libraries that are
// loaded on first use, not at start: the designer's windows appear sooner.
template <typename F> F lateBound(const char* dll, const char* name) {
    HMODULE m = GetModuleHandleA(dll);
    return zt::platformFunction<F>(m ? m : LoadLibraryA(dll), name);
}
// COM for the picture loader, once per run.
bool initPictures();

using zt::programFolder;
int screenDpi();

// Whole file as text: 53 for a missing file, 76 for a missing folder, 321
// for a file larger than `maxBytes`, 7 for one larger than the memory left.
inline constexpr size_t kLargestTextFile = 4u << 20;
inline constexpr size_t kLargestPictureFile = 64u << 20;
RunError readTextFile(const std::string& path, std::string& text,
                      size_t maxBytes = kLargestTextFile);
// A bitmap file: 53 when it is not there, 481 when it cannot be read.
RunError loadBitmapFile(const std::string& path, zt::ScopedBitmap& into);
SIZE bitmapSize(HBITMAP bmp);

// 0x00BBGGRR, or the system colour nn for 0x800000nn.
COLORREF colourValue(int32_t value);

std::string windowText(HWND wnd);

// The common file dialogs; an empty result on cancel. `filter` is in the
// "Name|pattern" form.
std::string askOpenPath(HWND owner, const char* filter, const std::string& startFolder);
std::string askSavePath(HWND owner, const char* filter);

} // namespace tessel::designer::win
