// The task list: one button per running application window, in the
// platform's z-order from front to back.
#pragma once
#include <windows.h>

#include "bar/task_layout.h"

#include <array>
#include <string>

namespace tessel::win {

struct TaskEntry {
    HWND window = nullptr;
    std::string title;
};

struct TaskSnapshot {
    std::array<TaskEntry, kMaxTasks + 1> tasks; // index 0 is never filled
    int count = 0;
};

// Walks the top-level windows from `self` (which never gets a button) and
// records the first 25 task windows that have a title.
void collectTasks(HWND self, TaskSnapshot& out);

// Brings a task window to the front, restoring it when it is minimised.
void activateTask(HWND window);

} // namespace tessel::win
