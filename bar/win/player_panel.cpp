#include "bar/win/player_panel.h"

#include "bar/audio_gain.h"
#include "bar/win/error_report.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace tessel::win {

namespace {

// The position bar counts in hundredths of a second: the control's range is
// whole numbers, the player's values are seconds.
constexpr float kBarSteps = 100;

HWND slider(HWND bar, HINSTANCE instance, int id, int32_t min, int32_t max) {
    HWND s = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 0, 0, bar,
                             reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    si.nMin = min;
    si.nMax = max;
    si.nPage = 0;
    si.nPos = 0;
    SetScrollInfo(s, SB_CTL, &si, FALSE);
    return s;
}

// The pixel column where a bar `width` wide ends for `value` of `range`.
long pixelOf(long value, long range, long width) {
    return long((long long)value * width / range);
}

} // namespace

PlayerPanel::PlayerPanel(HWND bar, HINSTANCE instance, FileChoice& choice,
                         std::function<void()> openBrowser)
    : bar_(bar), openBrowser_(std::move(openBrowser)), media_(bar, kMediaReady, kMediaFailed),
      player_(choice, media_, *this) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    position_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, bar,
                                reinterpret_cast<HMENU>(INT_PTR(kPositionBarId)), instance,
                                nullptr);
    SendMessageA(position_, PBM_SETRANGE32, 0, LPARAM(std::lround(max_ * kBarSteps)));
    balance_ = slider(bar, instance, kBalanceSliderId, kBalanceMin, kBalanceMax);
    volume_ = slider(bar, instance, kVolumeSliderId, kVolumeMin, kVolumeMax);
}

void PlayerPanel::applyLayout(const SkinLayout& l, const std::function<int(double)>& pixels) {
    auto place = [&](HWND w, const SkinRect& r) {
        SetWindowPos(w, HWND_TOP, pixels(r.left), pixels(r.top), std::max(0, pixels(r.width)),
                     std::max(0, pixels(r.height)), SWP_NOACTIVATE);
    };
    place(position_, l.positionBar);
    place(balance_, l.balanceSlider);
    place(volume_, l.volumeSlider);
}

void PlayerPanel::report(const RunError& e) const {
    if (e.failed())
        showErrorReport(bar_, e);
}

bool PlayerPanel::elementClicked(int element) {
    switch (element) {
    case kPlayerOpenElement:
        // The sound system starts while the user chooses a file, not after
        // Play is pressed.
        prepareSoundOutput();
        player_.open();
        if (openBrowser_)
            openBrowser_();
        return true;
    case kPlayerStopElement: player_.stop(); return true;
    case kPlayerPlayElement: report(player_.play()); return true;
    case kPlayerForwardElement: player_.fastForward(); return true;
    case kPlayerRewindElement: player_.rewind(); return true;
    }
    return false;
}

bool PlayerPanel::scrolled(HWND s, int code) {
    if (s != balance_ && s != volume_)
        return false;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(s, SB_CTL, &si);
    int pos = si.nPos;
    switch (code) {
    // Small and large steps are both one unit, as the platform's sliders
    // have them by default.
    case SB_LINELEFT:
    case SB_PAGELEFT: --pos; break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: ++pos; break;
    case SB_LEFT: pos = si.nMin; break;
    case SB_RIGHT: pos = si.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    default: return true; // SB_ENDSCROLL: the value was passed on already
    }
    pos = std::clamp(pos, si.nMin, si.nMax);
    SetScrollPos(s, SB_CTL, pos, TRUE);
    if (s == volume_)
        player_.volumeChanged(pos);
    else
        player_.balanceChanged(pos);
    return true;
}

void PlayerPanel::mediaReady() { report(player_.ready()); }

void PlayerPanel::mediaFailed() {
    report(RunError(ErrorNumber::DeviceUnavailable,
                    std::string(errorText(ErrorNumber::DeviceUnavailable)) + " (no sound output)"));
}

void PlayerPanel::setMax(float max) {
    max_ = max;
    SendMessageA(position_, PBM_SETRANGE32, 0,
                 LPARAM(std::max(1L, std::lround(max * kBarSteps))));
}

void PlayerPanel::setValue(float value) {
    const long v = std::lround(std::clamp(value, 0.0f, max_) * kBarSteps);
    const long shown = long(SendMessageA(position_, PBM_GETPOS, 0, 0));
    if (shown == v)
        return;
    // The control repaints at every new value, and the refresh comes ten
    // times a second: a value that leaves the bar's end on the same pixel
    // changes nothing on screen and waits for the next. Going back (rewind,
    // stop, a new file) and the end are always shown.
    RECT rc = {};
    GetClientRect(position_, &rc);
    const long range = std::max(1L, std::lround(max_ * kBarSteps));
    if (v > shown && v < range && rc.right > 0 &&
        pixelOf(shown, range, rc.right) == pixelOf(v, range, rc.right))
        return;
    SendMessageA(position_, PBM_SETPOS, WPARAM(v), 0);
}

} // namespace tessel::win
