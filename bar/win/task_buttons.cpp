#include "bar/win/task_buttons.h"

#include "bar/win/drawing.h"
#include "formats/twips.h"

namespace tessel::win {

void TaskButtons::create(HWND bar, HINSTANCE instance) {
    bar_ = bar;
    LOGFONTA lf = {};
    // Fonts in skin pixels too: the text must fit the skin's pictures at any
    // screen DPI.
    lf.lfHeight = -MulDiv(675, kSkinDpi, 7200); // 6.75 points
    lstrcpyA(lf.lfFaceName, "Times New Roman");
    font_.reset(CreateFontIndirectA(&lf));
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW;
    for (int i = 0; i < kTaskButtons; ++i) {
        const bool spare = i == 0;
        buttons_[i] = CreateWindowExA(
            0, "BUTTON", spare ? kSpareButtonCaption : "", child,
            spare ? skinTwipsToPixels(kSpareButtonLeft) : skinTwipsToPixels(kHiddenButtonLeft),
            spare ? skinTwipsToPixels(kSpareButtonTop) : 0, 0, 0, bar,
            reinterpret_cast<HMENU>(INT_PTR(kTaskButtonIdBase + i)), instance, nullptr);
        SendMessageA(buttons_[i], WM_SETFONT, WPARAM(font_.get()), FALSE);
        // Above the task list area, which is itself an element.
        SetWindowPos(buttons_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void TaskButtons::applyLayout(const TwipRect& area, bool horizontal, COLORREF colour) {
    area_ = area;
    horizontal_ = horizontal;
    colour_ = colour;
    for (HWND b : buttons_)
        InvalidateRect(b, nullptr, TRUE);
}

void TaskButtons::FindAllApps() {
    collectTasks(bar_, tasks_);
    const auto places = layoutTaskButtons(tasks_.count, area_, horizontal_);
    for (int i = 1; i < kTaskButtons; ++i) {
        HWND b = buttons_[i];
        RECT r;
        GetWindowRect(b, &r);
        MapWindowPoints(nullptr, bar_, reinterpret_cast<POINT*>(&r), 2);
        int left, top, width, height;
        if (i <= int(places.size())) {
            const auto& p = places[i - 1];
            left = skinTwipsToPixels(p.left), top = skinTwipsToPixels(p.top),
            width = skinTwipsToPixels(p.width), height = skinTwipsToPixels(p.height);
            char old[256] = {};
            GetWindowTextA(b, old, sizeof old);
            if (tasks_.tasks[i].title != old)
                SetWindowTextA(b, tasks_.tasks[i].title.c_str());
        } else {
            left = skinTwipsToPixels(kHiddenButtonLeft), top = r.top, width = r.right - r.left,
            height = r.bottom - r.top;
        }
        // Only what changed is moved: the list is rebuilt every 5 seconds.
        if (left != r.left || top != r.top || width != r.right - r.left ||
            height != r.bottom - r.top)
            SetWindowPos(b, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    tasks_.count = 0;
}

void TaskButtons::clicked(int i) {
    HWND h = tasks_.tasks[i].window;
    if (h && IsWindow(h))
        activateTask(h);
    FindAllApps();
}

void TaskButtons::draw(const DRAWITEMSTRUCT& di) const {
    drawSkinButton(di, colour_, font_.get(),
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

} // namespace tessel::win
