// The folder window: a list of the system's special folders and a pane that
// shows the chosen folder's contents through the shell's own browser.
#pragma once
#include <cstdint>

namespace tessel::win {

// Entries of the folder list the bar's elements preselect.
inline constexpr int16_t kFolderDesktop = 0;
inline constexpr int16_t kFolderControlPanel = 2;
inline constexpr int16_t kFolderPersonal = 4;
inline constexpr int16_t kFolderStartMenu = 8;

} // namespace tessel::win
