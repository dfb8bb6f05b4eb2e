#include "tests/bar/win/bar_fixture.h"

#include <shellapi.h>

#include <vector>

namespace tessel::test {

using namespace zt::test;

COLORREF normalColour(int i) { return RGB(200, 40, 10 * i); }
COLORREF pressedColour(int i) { return RGB(40, 200, 10 * i); }
SIZE elementSize(int i) { return {16 + i % 4, 12 + i % 3}; }

namespace {

void writeBitmap(const std::string& path, int w, int h, COLORREF c) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string data(reinterpret_cast<char*>(&fh), sizeof fh);
    data.append(reinterpret_cast<char*>(&ih), sizeof ih);
    data.append(reinterpret_cast<char*>(pixels.data()), pixels.size());
    writeTextFile(path, data);
}

} // namespace

SkinLayout testLayout() {
    SkinLayout l;
    l.displayName = "Test";
    l.barLeft = tw(200);
    l.barTop = tw(200);
    l.barWidth = tw(800);
    l.barHeight = tw(100);
    for (int i = 0; i < kElementCount; ++i)
        l.elements[i] = {int16_t(tw(10 + i * 25)), int16_t(tw(5))};
    l.elements[kTaskAreaElement] = {int16_t(tw(600)), 300};
    l.taskAreaWidth = tw(100);
    l.taskAreaHeight = 900;
    l.cpuMeter = {int16_t(tw(10)), int16_t(tw(40))};
    l.clock = {int16_t(tw(700)), int16_t(tw(40))};
    l.positionBar = l.balanceSlider = l.volumeSlider = {-3000, 0, 100, 100};
    l.horizontalFlag = "False";
    l.buttonColour = 0x00C0C0C0;
    l.listColour = static_cast<int32_t>(0x80000005u);
    return l;
}

BarFolder::BarFolder(const std::string& name) : dir_(exeDir() + "\\bar_" + name) {
    CreateDirectoryA(dir_.c_str(), nullptr);
    CreateDirectoryA((dir_ + "\\Skins").c_str(), nullptr);
    CreateDirectoryA(skinDir().c_str(), nullptr);
    CopyFileA(inExeDir("tessel.exe").c_str(), (dir_ + "\\tessel.exe").c_str(), FALSE);
    write("programs.prg", " 1 \r\nNotepad\r\nnotepad.exe\r\n");
    write("tessel.tsi", "local\r\nTest\r\n");
    for (int i = 0; i < kElementCount; ++i) {
        if (i == kTaskAreaElement)
            continue;
        SIZE s = elementSize(i);
        writeBitmap(elementBitmapPath(skinDir(), i, BitmapLook::Normal), s.cx, s.cy,
                    normalColour(i));
        writeBitmap(elementBitmapPath(skinDir(), i, BitmapLook::Pressed), s.cx, s.cy,
                    pressedColour(i));
    }
    writeBitmap(skinDir() + "\\background.bmp", 800, 100, RGB(30, 30, 30));
    writeBitmap(skinDir() + "\\dialogback.bmp", 240, 120, RGB(60, 60, 60));
    writeBitmap(skinDir() + "\\dialogexit.bmp", 16, 16, RGB(200, 0, 0));
    writeBitmap(skinDir() + "\\dialogmove.bmp", 200, 16, RGB(0, 0, 200));
    writeLayout(testLayout());
}

BarFolder::~BarFolder() {
    std::string from = dir_ + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
}

void BarFolder::write(const std::string& file, const std::string& text) {
    writeTextFile(dir_ + "\\" + file, text);
}

void BarFolder::remove(const std::string& file) { deleteFile(dir_ + "\\" + file); }

void BarFolder::writeLayout(const SkinLayout& layout) {
    writeTextFile(skinDir() + "\\skinsettings.tsl", writeSkinLayout(layout));
}

Process BarFolder::start() { return Process("\"" + dir_ + "\\tessel.exe\"", dir_); }

HWND waitForBar(DWORD pid, DWORD timeoutMs) {
    HWND bar = nullptr;
    waitFor(
        [&] {
            bar = findWindowOfProcess(pid, "TesselBar", nullptr);
            return bar && IsWindowVisible(bar);
        },
        timeoutMs);
    return bar && IsWindowVisible(bar) ? bar : nullptr;
}

namespace {
BOOL CALLBACK collectStatic(HWND w, LPARAM lp) {
    char cls[32] = {}, text[512] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    if (lstrcmpiA(cls, "Static") == 0 && text[0])
        *reinterpret_cast<std::string*>(lp) += text;
    return TRUE;
}
} // namespace

HWND waitForMessageBox(DWORD pid, std::string& text, DWORD timeoutMs) {
    HWND box = nullptr;
    waitFor(
        [&] {
            box = findWindowOfProcess(pid, "#32770", nullptr);
            return box && IsWindowVisible(box);
        },
        timeoutMs);
    text.clear();
    if (box)
        EnumChildWindows(box, collectStatic, reinterpret_cast<LPARAM>(&text));
    return box;
}

void pressOk(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

COLORREF screenPixel(POINT pt) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, pt.x, pt.y);
    ReleaseDC(nullptr, dc);
    return c;
}

} // namespace tessel::test
