// The drag of the bar by its move element.
#pragma once
#include <windows.h>

namespace tessel::win {

class BarDrag {
public:
    // A left press on the move element at (x, y), its client pixels.
    void start(int x, int y);
    // Moves the bar so that the press point stays under the pointer, while
    // the left button alone is down.
    void follow(HWND bar, int x, int y, WPARAM buttons) const;
    void stop() { dragging_ = false; }

private:
    // The anchor: x as a real number of twips, y whole twips.
    double anchorX_ = 0;
    int anchorY_ = 0;
    bool dragging_ = false;
};

} // namespace tessel::win
