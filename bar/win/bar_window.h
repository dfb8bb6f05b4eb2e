// The bar window: the skin's background with its 22 picture elements, the
// task buttons, the CPU meter, the clock and the player. The window keeps the
// skin and its layout and routes messages to its parts, each in a file pair
// of its own: bar_background, bar_elements, bar_drag, task_buttons,
// cpu_meter, clock, player_panel. What a click on an element does is in
// bar_actions; each dialog it opens derives from DialogFrame and keeps its
// state with its window.
#pragma once
#include <windows.h>

#include "bar/file_choice.h"
#include "bar/program_list.h"
#include "bar/win/bar_background.h"
#include "bar/win/bar_drag.h"
#include "bar/win/bar_elements.h"
#include "bar/win/clock.h"
#include "bar/win/cpu_meter.h"
#include "bar/win/dialog_frame.h"
#include "bar/win/player_panel.h"
#include "bar/win/task_buttons.h"
#include "formats/skin_files.h"

#include <array>
#include <memory>
#include <string>

namespace tessel::win {

inline constexpr char kBarClass[] = "TesselBar";
inline constexpr char kBarTitle[] = "Tessel";

enum class BarTimer : UINT_PTR { Cpu = 1, Clock = 2, Tasks = 3 };

class BarWindow {
public:
    static bool registerClasses(HINSTANCE instance);
    // Creates the window and runs its preparation (bitmaps, CPU meter,
    // topmost, task buttons); `splash` gets its closing timer at the end.
    static BarWindow* create(HINSTANCE instance, const std::string& skinFolder, HWND splash);

    HWND hwnd() const { return wnd_; }
    void applyLayout(const SkinLayout& layout);
    void show();

    const std::string& skinFolder() const { return skinFolder_; }
    COLORREF buttonColour() const { return taskButtons_.colour(); }
    COLORREF listColour() const { return listColour_; }
    bool horizontal() const { return taskButtons_.horizontal(); }

    // The user's program list, read at start-up and changed by the editor.
    ProgramList& programs() { return programs_; }
    void setPrograms(ProgramList list) { programs_ = std::move(list); }

    // The file browser's choice, shared by the player, the program list
    // editor and the run dialog.
    FileChoice& fileChoice() { return fileChoice_; }
    // Stores the pattern and who asks, then shows the browser without
    // blocking; a browser already open is closed and opened afresh.
    void openFileBrowser(ChoiceClient client, const char* pattern);

    // The open dialog of a kind, or null.
    HWND dialog(DialogKind kind) const { return dialogs_[size_t(kind)]; }
    void dialogOpened(DialogKind kind, HWND wnd) { dialogs_[size_t(kind)] = wnd; }
    void dialogClosed(DialogKind kind, HWND wnd);
    // The folder window's entry, stored by the folder elements.
    int16_t folderEntry() const { return folderEntry_; }

private:
    BarWindow(HINSTANCE instance, std::string skinFolder);
    static LRESULT CALLBACK barProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK elementProc(HWND, UINT, WPARAM, LPARAM);
    static BarWindow* fromWindow(HWND wnd);

    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT elementMessage(HWND el, int index, UINT msg, WPARAM wp, LPARAM lp);
    void prepare(HWND splash);
    void loadBitmaps();
    void createChildren();
    void tasksTick();
    void elementClicked(int i);
    void showProgramPopup();
    void showFolderWindow(int16_t entry);
    void snapToEdges();

    HINSTANCE instance_;
    HWND wnd_ = nullptr;
    std::string skinFolder_;

    BarBackground background_;
    BarElements elements_;
    BarDrag drag_;
    TaskButtons taskButtons_;
    CpuMeter meter_;
    Clock clock_;
    COLORREF listColour_ = RGB(255, 255, 255);

    ProgramList programs_;
    FileChoice fileChoice_;
    std::unique_ptr<PlayerPanel> player_;
    std::array<HWND, size_t(DialogKind::Count)> dialogs_{};
    // The folder window's entry to select at its next activation.
    int16_t folderEntry_ = 0;
    bool prepared_ = false;
};

} // namespace tessel::win
