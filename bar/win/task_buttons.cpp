// One button per running application, and the connection indicator.
#include "bar/win/bar_window.h"
#include "bar/win/network.h"
#include "bar/win/drawing.h"

namespace tessel::win {

using namespace zt;

void BarWindow::tasksTick() {
    FindAllApps();
    const bool connected = hasNetworkAddress();
    if (pressed_[kConnectedElement] != connected)
        showElement(kConnectedElement, connected);
    SetTimer(wnd_, UINT_PTR(BarTimer::Tasks), 5000, nullptr);
}

void BarWindow::FindAllApps() {
    collectTasks(wnd_, tasks_);
    const auto places = layoutTaskButtons(tasks_.count, taskArea_, horizontal_);
    for (int i = 1; i < kTaskButtons; ++i) {
        HWND b = taskButtons_[i];
        RECT r;
        GetWindowRect(b, &r);
        MapWindowPoints(nullptr, wnd_, reinterpret_cast<POINT*>(&r), 2);
        int left, top, width, height;
        if (i <= int(places.size())) {
            const auto& p = places[i - 1];
            left = toPixels(p.left), top = toPixels(p.top), width = toPixels(p.width),
            height = toPixels(p.height);
            char old[256] = {};
            GetWindowTextA(b, old, sizeof old);
            if (tasks_.tasks[i].title != old)
                SetWindowTextA(b, tasks_.tasks[i].title.c_str());
        } else {
            left = toPixels(kHiddenButtonLeft), top = r.top, width = r.right - r.left,
            height = r.bottom - r.top;
        }
        // Only what changed is moved: the list is rebuilt every 5 seconds.
        if (left != r.left || top != r.top || width != r.right - r.left ||
            height != r.bottom - r.top)
            SetWindowPos(b, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    tasks_.count = 0;
}

void BarWindow::taskClicked(int i) {
    HWND h = tasks_.tasks[i].window;
    if (h && IsWindow(h))
        activateTask(h);
    FindAllApps();
}

void BarWindow::drawTaskButton(const DRAWITEMSTRUCT& di) {
    drawSkinButton(di, buttonColour_, taskFont_.get(),
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

} // namespace tessel::win
