// A program folder of its own for one run of the real tessel.exe: the
// program, its list, its skin choice and a skin of plain coloured bitmaps
// whose sizes and colours the tests know.
#pragma once
#include <windows.h>

#include "formats/skin_files.h"
#include "tests/support/win/test_support.h"

#include <string>
#include <vector>

namespace tessel::test {

// Colours of element i's normal and pressed bitmaps, and their size.
COLORREF normalColour(int element);
COLORREF pressedColour(int element);
SIZE elementSize(int element);

// A 24-bit bitmap file of one colour.
void writeBitmap(const std::string& path, int w, int h, COLORREF c);

// Twips at 96 DPI.
inline int tw(int pixels) { return pixels * 15; }

// The layout every test starts from: an 800 x 100 pixel bar at (200, 200),
// stacked task buttons in an area at (600, 20) of 100 x 60 pixels.
SkinLayout testLayout();

class BarFolder {
public:
    explicit BarFolder(const std::string& name);
    ~BarFolder();
    BarFolder(const BarFolder&) = delete;
    BarFolder& operator=(const BarFolder&) = delete;

    const std::string& dir() const { return dir_; }
    std::string skinDir() const { return dir_ + "\\Skins\\Test"; }
    void write(const std::string& file, const std::string& text); // relative to dir()
    void remove(const std::string& file);
    void writeLayout(const SkinLayout& layout);

    zt::test::Process start();

private:
    std::string dir_;
};

// The bar window of a running tessel, once it is shown.
HWND waitForBar(DWORD pid, DWORD timeoutMs = 10000);
// The error report box of a process and its text, once it shows.
HWND waitForMessageBox(DWORD pid, std::string& text, DWORD timeoutMs = 10000);
void pressOk(HWND box);

// Screen colour at a point (what is shown there).
COLORREF screenPixel(POINT pt);

// Real mouse input, as a user gives it: the pointer moves to the point and
// the left button goes down and up there (twice for a double click).
void clickAt(POINT screen, bool twice = false);
void clickWindow(HWND w, int x = -1, int y = -1); // client point; -1: the middle
void pressAt(POINT screen);
void releaseAt(POINT screen);

// A dialog of the bar's process that holds a control with this id.
HWND findDialog(DWORD pid, int controlId, DWORD timeoutMs = 5000);
std::string textOf(HWND w);
std::string itemText(HWND dialog, int id);
// Rows of a list box.
std::vector<std::string> listRows(HWND list);
// Clicks the row of a list box (twice for a double click).
void clickRow(HWND list, int row, bool twice = false);

} // namespace tessel::test
