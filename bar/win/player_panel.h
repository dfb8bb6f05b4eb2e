// The player's part of the bar window: the media component, the position
// bar (`ProgressBar1`), the volume slider (`VScroll1`, a horizontal scroll
// bar despite its name) and the balance slider (`HScroll1`).
#pragma once
#include <windows.h>

#include "bar/file_choice.h"
#include "bar/mp3_player.h"
#include "bar/win/media_player.h"
#include "formats/skin_files.h"

#include <functional>
#include <memory>

namespace tessel::win {

inline constexpr int kPlayerOpenElement = 15;
inline constexpr int kPlayerStopElement = 16;
inline constexpr int kPlayerPlayElement = 17;
inline constexpr int kPlayerForwardElement = 18;
inline constexpr int kPlayerRewindElement = 19;

inline constexpr int kPositionBarId = 310;
inline constexpr int kBalanceSliderId = 311;
inline constexpr int kVolumeSliderId = 312;
// Posted by the media component when a file is loaded.
inline constexpr UINT kMediaReady = WM_APP + 20;
// Posted when a play found no sound output.
inline constexpr UINT kMediaFailed = WM_APP + 21;

class PlayerPanel final : private PositionBar {
public:
    // `openBrowser` shows the file browser for media files.
    PlayerPanel(HWND bar, HINSTANCE instance, FileChoice& choice,
                std::function<void()> openBrowser);
    PlayerPanel(const PlayerPanel&) = delete;
    PlayerPanel& operator=(const PlayerPanel&) = delete;

    // `pixels` turns twips into pixels.
    void applyLayout(const SkinLayout& l, const std::function<int(double)>& pixels);

    // Elements 15 to 19; false when `element` is not the player's.
    bool elementClicked(int element);
    void refreshPosition() { player_.refreshPosition(); }
    // WM_HSCROLL from one of the sliders; false for another scroll bar.
    bool scrolled(HWND slider, int code);
    void mediaReady();
    void mediaFailed();

    MediaPlayer& media() { return media_; }

private:
    void setMax(float max) override;
    void setValue(float value) override;
    void report(const RunError& e) const;

    HWND bar_;
    HWND position_ = nullptr, balance_ = nullptr, volume_ = nullptr;
    std::function<void()> openBrowser_;
    MediaPlayer media_;
    Mp3Player player_;
    float max_ = 100; // the position bar's own default
};

} // namespace tessel::win
