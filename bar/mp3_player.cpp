#include "bar/mp3_player.h"

namespace tessel {

namespace {
constexpr double kSkipSeconds = 5;
}

void Mp3Player::open() {
    choice_.armed = 0;
    choice_.request(ChoiceClient::Player, kMediaPattern);
}

RunError Mp3Player::play() {
    if (choice_.armed != 1)
        return {};
    std::string confirmed;
    if (choice_.takeConfirmed(ChoiceClient::Player, confirmed))
        file_ = confirmed;
    // A file the component refuses leaves the choice armed, so that a later
    // play tries it again.
    if (RunError e = media_.setFileName(file_); e.failed())
        return e;
    bar_.setMax(float(media_.duration()));
    choice_.armed = 0;
    if (RunError e = media_.play(); e.failed())
        return e;
    played_ = 1;
    return {};
}

void Mp3Player::stop() {
    media_.stop();
    // The next play loads the same file again and starts it from the top.
    if (played_ == 1)
        choice_.armed = 1;
}

void Mp3Player::fastForward() { media_.setCurrentPosition(media_.currentPosition() + kSkipSeconds); }

void Mp3Player::rewind() {
    const double at = media_.currentPosition();
    if (at > kSkipSeconds)
        media_.setCurrentPosition(at - kSkipSeconds);
}

void Mp3Player::refreshPosition() {
    if (played_ == 1)
        bar_.setValue(float(media_.currentPosition()));
}

RunError Mp3Player::ready() { return media_.play(); }

} // namespace tessel
