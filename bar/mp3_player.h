// The bar's player: what its five elements, the two sliders and the 100-ms
// refresh do, over a media component and a position bar that the window
// layer provides.
#pragma once

#include "bar/file_choice.h"
#include "formats/run_error.h"

#include <cstdint>
#include <string>

namespace tessel {

// The media component's operations, and nothing more.
class MediaControl {
public:
    virtual ~MediaControl() = default;
    virtual RunError setFileName(const std::string& path) = 0;
    virtual RunError play() = 0;
    virtual void stop() = 0;
    virtual double duration() const = 0;
    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;
    virtual void setVolume(int32_t hundredthsDb) = 0;
    virtual void setBalance(int32_t hundredthsDb) = 0;
};

class PositionBar {
public:
    virtual ~PositionBar() = default;
    virtual void setMax(float max) = 0;
    virtual void setValue(float value) = 0;
};

class Mp3Player {
public:
    Mp3Player(FileChoice& choice, MediaControl& media, PositionBar& bar)
        : choice_(choice), media_(media), bar_(bar) {}

    // Element 15, before the browser opens: disarmed, the media pattern.
    void open();
    RunError play();          // element 17
    void stop();              // element 16
    void fastForward();       // element 18
    void rewind();            // element 19
    void refreshPosition();   // every 100 ms
    void volumeChanged(int32_t value) { media_.setVolume(value); }
    void balanceChanged(int32_t value) { media_.setBalance(value); }
    // The component's notification that the file is loaded and ready.
    RunError ready();

    bool played() const { return played_ != 0; }

private:
    FileChoice& choice_;
    MediaControl& media_;
    PositionBar& bar_;
    int16_t played_ = 0; // never cleared once set
    // The file confirmed for the player: a stop reloads this one, whatever
    // was chosen for other callers since.
    std::string file_;
};

} // namespace tessel
