#include "platform.h"

#include <commdlg.h>
#include <ole2.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace tessel::designer::win {

using zt::ScopedKernelHandle;

bool initPictures() {
    using Init = HRESULT(WINAPI*)(LPVOID);
    static const bool done = [] {
        auto init = lateBound<Init>("ole32.dll", "OleInitialize");
        return init && SUCCEEDED(init(nullptr));
    }();
    return done;
}

int screenDpi() {
    zt::ScopedWindowDc dc(nullptr);
    int dpi = dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

namespace {
ErrorNumber openFailure(DWORD err) {
    return err == ERROR_PATH_NOT_FOUND ? ErrorNumber::PathNotFound : ErrorNumber::FileNotFound;
}
} // namespace

RunError readTextFile(const std::string& path, std::string& text, size_t maxBytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return RunError::at(openFailure(GetLastError()), path);
    ScopedKernelHandle file(h);
    text.clear();
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size) || uint64_t(size.QuadPart) > maxBytes)
        return RunError::at(ErrorNumber::InvalidFileFormat, path);
    try {
        text.reserve(static_cast<size_t>(size.QuadPart));
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(file.get(), buf, sizeof buf, &got, nullptr) && got > 0) {
            if (text.size() + got > maxBytes) // grown since it was measured
                return RunError::at(ErrorNumber::InvalidFileFormat, path);
            text.append(buf, got);
        }
    } catch (const std::bad_alloc&) {
        text.clear();
        return RunError::at(ErrorNumber::OutOfMemory, path);
    }
    return {};
}

namespace {
// An uncompressed bitmap file made into a bitmap from one read of the file:
// the platform's loader maps the file and costs several times as long. Null
// for any other kind of bitmap file, which is left to the platform.
HBITMAP bitmapFromFileData(const std::string& data) {
    if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' ||
        data[1] != 'M')
        return nullptr;
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    memcpy(&fh, data.data(), sizeof fh);
    memcpy(&ih, data.data() + sizeof fh, sizeof ih);
    const uint64_t width = ih.biWidth > 0 ? static_cast<uint64_t>(ih.biWidth) : 0;
    const uint64_t height =
        ih.biHeight < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(ih.biHeight))
                        : static_cast<uint64_t>(ih.biHeight);
    const WORD bpp = ih.biBitCount;
    if (ih.biSize < sizeof ih || ih.biSize > 1024 || ih.biCompression != BI_RGB ||
        ih.biPlanes != 1 || !width || !height || width > 32767 || height > 32767 ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
        return nullptr;
    const uint64_t colours = bpp > 8 ? ih.biClrUsed : ih.biClrUsed ? ih.biClrUsed : 1u << bpp;
    const uint64_t stride = (width * bpp + 31) / 32 * 4;
    const uint64_t headers = sizeof fh + ih.biSize + colours * sizeof(RGBQUAD);
    if (colours > 256 || headers > fh.bfOffBits || fh.bfOffBits > data.size() ||
        stride * height > data.size() - fh.bfOffBits)
        return nullptr;
    // The file's own layout, rows and colour table as they stand.
    const auto* info = reinterpret_cast<const BITMAPINFO*>(data.data() + sizeof fh);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp && !bits) {
        DeleteObject(bmp);
        return nullptr;
    }
    if (bmp)
        memcpy(bits, data.data() + fh.bfOffBits, static_cast<size_t>(stride * height));
    return bmp;
}
} // namespace

RunError loadBitmapFile(const std::string& path, zt::ScopedBitmap& into) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND)
            return RunError::at(openFailure(err), path);
        return RunError::at(ErrorNumber::InvalidPicture, path);
    }
    std::string data;
    {
        ScopedKernelHandle file(h);
        LARGE_INTEGER size = {};
        // No picture of a bar is anywhere near this size.
        if (!GetFileSizeEx(file.get(), &size) || uint64_t(size.QuadPart) > kLargestPictureFile)
            return RunError::at(ErrorNumber::InvalidPicture, path);
        try {
            data.resize(static_cast<size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            return RunError::at(ErrorNumber::OutOfMemory, path);
        }
        {
            DWORD got = 0;
            if (!data.empty() &&
                (!ReadFile(file.get(), &data[0], static_cast<DWORD>(data.size()), &got, nullptr) ||
                 got != data.size()))
                data.clear();
        }
    }
    HBITMAP bmp = bitmapFromFileData(data);
    if (!bmp)
        bmp = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bmp)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    into.reset(bmp);
    return {};
}

SIZE bitmapSize(HBITMAP bmp) {
    BITMAP b = {};
    if (!bmp || !GetObjectA(bmp, sizeof b, &b))
        return {0, 0};
    return {b.bmWidth, b.bmHeight < 0 ? -b.bmHeight : b.bmHeight};
}

COLORREF colourValue(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    if (v & 0x80000000u)
        return GetSysColor(static_cast<int>(v & 0xFF));
    return v & 0x00FFFFFFu;
}

std::string windowText(HWND wnd) {
    int n = GetWindowTextLengthA(wnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(wnd, &s[0], n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

namespace {
// "Name|pattern" becomes the dialog's "Name\0pattern\0\0".
std::string dialogFilter(const char* filter) {
    std::string f = filter;
    for (char& c : f)
        if (c == '|')
            c = '\0';
    f.push_back('\0');
    f.push_back('\0');
    return f;
}
} // namespace

namespace {
// The common dialog's open or save question; the chosen path, or empty.
std::string askPath(HWND owner, const char* filter, const std::string& startFolder, DWORD flags,
                    const char* function) {
    std::string f = dialogFilter(filter);
    char path[MAX_PATH] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = f.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
    ofn.Flags = flags;
    auto ask = lateBound<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", function);
    return ask && ask(&ofn) ? std::string(path) : std::string();
}
} // namespace

std::string askOpenPath(HWND owner, const char* filter, const std::string& startFolder) {
    return askPath(owner, filter, startFolder,
                   OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, "GetOpenFileNameA");
}

std::string askSavePath(HWND owner, const char* filter) {
    return askPath(owner, filter, std::string(), OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                   "GetSaveFileNameA");
}

} // namespace tessel::designer::win
