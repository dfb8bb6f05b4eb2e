// Desktop icon text colours, in the shell process only.
#include "hooklib/win/fx_icon_text.h"

#include "formats/effect_keys.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"

#include <commctrl.h>

#include <cstring>

namespace zrv::fx {
namespace {

constexpr char kIconListClass[] = "SysListView32";
constexpr char kDesktopClass[] = "Progman";
constexpr int kClassNameRead = 20;
constexpr COLORREF kNoColour = 0xFFFFFFFF;

bool classIs(HWND wnd, const char* name) noexcept {
    char buf[kClassNameRead + 1] = {};
    if (!wnd || !GetClassNameA(wnd, buf, kClassNameRead))
        return false;
    return std::strcmp(buf, name) == 0;
}

// The shell's icon list sits in a view window inside the desktop's
// "Progman" window.
bool isDesktopIconList(HWND wnd) noexcept {
    if (!classIs(wnd, kIconListClass))
        return false;
    HWND view = GetParent(wnd);
    return view && classIs(GetParent(view), kDesktopClass);
}

COLORREF colourKey(const keys::IntKey& key) noexcept {
    return static_cast<COLORREF>(readUseKey(key.name, key.libraryDefault));
}

} // namespace

void onEraseBackground(HWND wnd) noexcept {
    if (!isDesktopIconList(wnd))
        return;
    const EffectSettings& s = state().settings;
    COLORREF background;
    if (s.customIconTextBackground)
        background = colourKey(keys::kBkColour);
    else if (s.transparentIconTextBackground)
        background = kNoColour;
    else
        background = GetSysColor(COLOR_BACKGROUND);
    SendMessageA(wnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
    if (s.customIconTextColour)
        SendMessageA(wnd, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colourKey(keys::kTxtColour)));
}

} // namespace zrv::fx
