// The layered-window functions, found at attach when the platform has them,
// and how the library calls them.
#pragma once
#include <windows.h>

namespace zrv {

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                            BLENDFUNCTION*, DWORD);
using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Opacity calls always pass this colour key with LWA_ALPHA, so only the
// opacity acts.
constexpr COLORREF kLayerColourKey = 0xFF00FF;
constexpr DWORD kLayerAlphaFlag = 2;

} // namespace zrv
