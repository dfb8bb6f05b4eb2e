// The player's elements: open (15), stop (16), play (17), fast forward (18)
// and rewind (19), carried out by the player panel.
#include "bar/win/bar_window.h"

namespace tessel::win {

void BarWindow::playerOpen() { player_->elementClicked(kPlayerOpenElement); }

void BarWindow::playerStop() { player_->elementClicked(kPlayerStopElement); }

void BarWindow::playerPlay() { player_->elementClicked(kPlayerPlayElement); }

void BarWindow::playerForward() { player_->elementClicked(kPlayerForwardElement); }

void BarWindow::playerRewind() { player_->elementClicked(kPlayerRewindElement); }

} // namespace tessel::win
