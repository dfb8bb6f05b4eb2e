// The player's elements: open (15), stop (16), play (17), fast forward (18)
// and rewind (19).
#include "bar/win/bar_window.h"

namespace tessel::win {

void BarWindow::playerOpen() {
    fileChoice_.armed = 0;
    openFileBrowser(ChoiceClient::Player, kMediaPattern);
}

void BarWindow::playerStop() {}

void BarWindow::playerPlay() {}

void BarWindow::playerForward() {}

void BarWindow::playerRewind() {}

} // namespace tessel::win
