// What the hook side of translucent menus and the menu cover windows share.
#pragma once
#include <windows.h>

#include "hooklib/window_kinds.h"

namespace zrv::menuwin {

constexpr const char* kCoverClass = kinds::kFakeMenuClass;
constexpr char kMenuClass[] = "#32768";
constexpr char kBaseBarClass[] = "BaseBar";

// Widest menu shadow strip drawn; a larger "ShadowSize" is drawn this wide.
constexpr int kLargestShadow = 255;

// True when `cover` is a live cover window of this process made for `menu`.
// A property can outlive its window and the handle be reused, so a handle
// read from "SM" is never trusted on its own.
bool isCoverOf(HWND cover, HWND menu) noexcept;

// The cover of `menu`, or null.
HWND coverOf(HWND menu) noexcept;

// Asks a cover to close itself: its photograph is deleted and it is destroyed.
void closeCover(HWND cover) noexcept;

} // namespace zrv::menuwin
