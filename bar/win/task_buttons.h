// One button per running application, laid out in the skin's task list
// area, in the skin's button colour.
#pragma once
#include <windows.h>

#include "bar/task_layout.h"
#include "bar/win/task_list.h"
#include "common/win/scoped.h"

#include <array>

namespace tessel::win {

inline constexpr int kTaskButtonIdBase = 200;

class TaskButtons {
public:
    // The buttons, children of `bar`, above the task list area.
    void create(HWND bar, HINSTANCE instance);
    // The skin's task list area (twips), its direction and the buttons'
    // colour; the buttons are drawn again.
    void applyLayout(const TwipRect& area, bool horizontal, COLORREF colour);
    // Lists the running applications and gives each a button.
    void FindAllApps();
    // Button i was clicked: its application comes to the front.
    void clicked(int i);
    void draw(const DRAWITEMSTRUCT& di) const;

    bool horizontal() const { return horizontal_; }
    COLORREF colour() const { return colour_; }

private:
    HWND bar_ = nullptr;
    std::array<HWND, kTaskButtons> buttons_{};
    zt::ScopedFont font_;
    COLORREF colour_ = RGB(192, 192, 192);
    TaskSnapshot tasks_;
    TwipRect area_{};
    bool horizontal_ = false;
};

} // namespace tessel::win
