// The style tests that choose which windows get which effects. Portable: the
// Win32 layer passes the window's style and extended style.
#pragma once

#include <cstdint>

namespace zrv::kinds {

// The classes of the library's own effect windows, registered in every
// process that maps it. No effect is ever applied to them.
inline constexpr char kShadowClass[] = "VelkShadow";
inline constexpr char kFakeMenuClass[] = "FakeMenu";

constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kCaption = 0x00C00000; // border and dialog frame
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kSysMenu = 0x00080000;
constexpr std::uint32_t kToolWindowEx = 0x80;
constexpr std::uint32_t kLayeredEx = 0x80000;
// Only windows with this style bit fade when "NONSIZE" is 1.
constexpr std::uint32_t kNonSizeFadeBit = 0x80;

constexpr bool isChild(std::uint32_t style) { return (style & kChild) != 0; }
constexpr bool isCaptioned(std::uint32_t style) { return (style & kCaption) == kCaption; }
constexpr bool isVisibleStyle(std::uint32_t style) { return (style & kVisible) != 0; }
constexpr bool isToolWindow(std::uint32_t exStyle) { return (exStyle & kToolWindowEx) != 0; }
constexpr bool isLayered(std::uint32_t exStyle) { return (exStyle & kLayeredEx) != 0; }
constexpr bool isCaptionedTopLevel(std::uint32_t style) {
    return isCaptioned(style) && !isChild(style);
}

// A window that gets shadows: not a tool window, not a child with a parent,
// visible; or one that already has its shadows.
constexpr bool isShadowCandidate(std::uint32_t style, std::uint32_t exStyle, bool hasParent,
                                 bool hasShadows) {
    return hasShadows ||
           (!isToolWindow(exStyle) && (!isChild(style) || !hasParent) && isVisibleStyle(style));
}

} // namespace zrv::kinds
