// Commands of the registered message "ZRVHook" (its wParam).
#pragma once
#include <windows.h>

namespace zrv {

constexpr WPARAM HOOKCMD_RESHAPE = 23;
constexpr WPARAM HOOKCMD_ALPHA = 24;
constexpr WPARAM HOOKCMD_CLOSE = 0;
// Sent only to windows of programs, never to the library's own windows (for
// which it would mean close): the window drops its effects in its own thread
// so that they are built again under new settings.
constexpr WPARAM HOOKCMD_RESET = 25;
// Also sent only to a program's window, by the library in that window's own
// thread: asks whether the thread's messages already pass through the
// library. The window procedure gets it as an unknown registered message.
constexpr WPARAM HOOKCMD_PROBE = 26;

} // namespace zrv
