#include "bar/win/task_list.h"

#include <vector>

namespace tessel::win {

void collectTasks(HWND self, TaskSnapshot& out) {
    out.count = 0;
    std::vector<char> buf;
    for (HWND w = GetWindow(self, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == self || !TaskWindow(static_cast<uint32_t>(GetWindowLongA(w, GWL_STYLE))))
            continue;
        int n = GetWindowTextLengthA(w);
        if (n <= 0)
            continue;
        buf.assign(static_cast<size_t>(n) + 1, '\0');
        int got = GetWindowTextA(w, buf.data(), n + 1);
        if (got <= 0)
            continue;
        TaskEntry& e = out.tasks[++out.count];
        e.window = w;
        e.title.assign(buf.data(), static_cast<size_t>(got));
        if (out.count == kMaxTasks)
            break;
    }
}

void activateTask(HWND w) {
    if (GetWindowLongA(w, GWL_STYLE) & WS_MINIMIZE)
        ShowWindow(w, SW_RESTORE);
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace tessel::win
