#include "bar/win/task_list.h"

#include <vector>

namespace tessel::win {

namespace {
struct Walk {
    HWND self;
    TaskSnapshot* out;
    std::vector<char> buf;
};

BOOL CALLBACK visit(HWND w, LPARAM lp) {
    Walk& walk = *reinterpret_cast<Walk*>(lp);
    if (w == walk.self || !TaskWindow(static_cast<uint32_t>(GetWindowLongA(w, GWL_STYLE))))
        return TRUE;
    int n = GetWindowTextLengthA(w);
    if (n <= 0)
        return TRUE;
    walk.buf.assign(static_cast<size_t>(n) + 1, '\0');
    int got = GetWindowTextA(w, walk.buf.data(), n + 1);
    if (got <= 0)
        return TRUE;
    TaskEntry& e = walk.out->tasks[++walk.out->count];
    e.window = w;
    e.title.assign(walk.buf.data(), static_cast<size_t>(got));
    return walk.out->count < kMaxTasks;
}
} // namespace

// The top-level windows front to back. One enumeration fetches the whole
// list at once, where a window-by-window walk asks the system once per
// window: the walk runs every 5 seconds over every window on the desktop.
void collectTasks(HWND self, TaskSnapshot& out) {
    out.count = 0;
    Walk walk{self, &out, {}};
    EnumWindows(visit, reinterpret_cast<LPARAM>(&walk));
}

void activateTask(HWND w) {
    if (GetWindowLongA(w, GWL_STYLE) & WS_MINIMIZE)
        ShowWindow(w, SW_RESTORE);
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace tessel::win
