// One run of the real tesseldes.exe from a folder of its own, driven the way
// a user drives it: its boxes are typed into, its buttons pressed, its
// elements dragged with the real mouse.
#pragma once
#include <windows.h>

#include "tests/support/win/test_support.h"

#include <string>
#include <vector>

namespace tessel::designer::test {

// The default skin as the build draws it, beside the test program.
std::string defaultSkinFolder();
std::vector<std::string> splitLines(const std::string& text); // on CR LF
std::string lineOf(const std::string& text, int line);       // 1-based
// Copies every file of one folder into another (made when missing).
void copyFolder(const std::string& from, const std::string& to);
void removeFolder(const std::string& dir);

class DesignerRun {
public:
    explicit DesignerRun(const std::string& name);
    ~DesignerRun();
    DesignerRun(const DesignerRun&) = delete;
    DesignerRun& operator=(const DesignerRun&) = delete;

    const std::string& dir() const { return dir_; }
    DWORD pid() const { return process_.id(); }
    // True when the program has ended within `ms`.
    bool endsWithin(DWORD ms) { return process_.wait(ms) != STILL_ACTIVE; }

    // Starts the program, types `skinFolder` into the chooser and presses
    // "Open"; true once the panel and the canvas are there. A load message,
    // when one shows, is read into `loadMessage` and closed.
    bool open(const std::string& skinFolder, std::string* loadMessage = nullptr);

    HWND chooser() const { return chooser_; }
    HWND panel() const { return panel_; }
    HWND canvas() const { return canvas_; }
    RECT elementRect(int i) const; // in the canvas's client area, pixels
    POINT elementCentreOnScreen(int i) const;

    std::string text(int textNumber) const;     // the panel's `TextN`
    void type(int textNumber, const std::string& s);
    // The panel's `CommandN`: press() returns at once (for buttons that open
    // a dialog), click() once the click has been handled.
    void press(int commandNumber);
    void click(int commandNumber);
    void pressControl(HWND dlg, int id);

    // "Make", the path, "Make the file": the message shown, closed again.
    // `withMouse`: "Make the file" is clicked with the real pointer.
    std::string make(const std::string& path, bool withMouse = false);

    // The message box of this run titled `title`, its text once shown.
    HWND waitForBox(const char* title, std::string& text, DWORD timeoutMs = 10000);

private:
    std::string dir_;
    zt::test::Process process_;
    HWND chooser_ = nullptr, panel_ = nullptr, canvas_ = nullptr, makeFile_ = nullptr;
};

// Drags with the real pointer: press `buttons` at `from`, move in steps to
// `to`, rest, release. `buttons`: MK_LBUTTON, MK_RBUTTON or both.
void dragWithMouse(POINT from, POINT to, UINT buttons);
void clickWithMouse(POINT at);

} // namespace tessel::designer::test
