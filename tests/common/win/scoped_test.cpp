// The handle owners: each gives its handle back exactly once, the way its
// kind must be given back, and never gives back what it does not hold.
#include "common/win/scoped.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace zt {
namespace {

bool kernelHandleOpen(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
}

int gScratchFiles = 0;

std::string scratchPath(int n) {
    return test::inExeDir("scoped_test_" + std::to_string(n) + ".txt");
}

std::string scratchFile() {
    const std::string path = scratchPath(++gScratchFiles);
    test::writeTextFile(path, "x");
    return path;
}

// One owner type through its whole life: held, moved, handed over, replaced,
// and dropped, with `alive` telling whether a handle is still open.
template <typename Owner, typename Make, typename Alive>
void expectOwns(const char* kind, Make make, Alive alive) {
    SCOPED_TRACE(kind);
    auto first = make();
    ASSERT_TRUE(alive(first)) << "could not make one";
    {
        Owner owner(first);
        EXPECT_TRUE(owner);
        EXPECT_EQ(owner.get(), first);
        Owner moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.get(), first);
        EXPECT_TRUE(alive(first)) << "closed by a move";
    }
    EXPECT_FALSE(alive(first)) << "not closed at the end of its owner";

    auto second = make();
    auto third = make();
    {
        Owner owner(second);
        owner.reset(third);
        EXPECT_FALSE(alive(second)) << "not closed when replaced";
        EXPECT_TRUE(alive(third));
        Owner other;
        other = std::move(owner);
        EXPECT_TRUE(alive(third)) << "closed by a move assignment";
        EXPECT_EQ(other.release(), third);
        EXPECT_FALSE(other);
    }
    EXPECT_TRUE(alive(third)) << "closed after it was handed over";
    {
        Owner back(third); // under an owner again, to be closed
    }
    EXPECT_FALSE(alive(third));
}

TEST(Scoped, EachKindIsGivenBackOnceAndTheRightWay) {
    expectOwns<ScopedKernelHandle>(
        "event", [] { return CreateEventA(nullptr, FALSE, FALSE, nullptr); }, kernelHandleOpen);
    expectOwns<ScopedFileHandle>(
        "file",
        [] {
            return CreateFileA(scratchFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        },
        kernelHandleOpen);
    expectOwns<ScopedFindHandle>(
        "find",
        [] {
            WIN32_FIND_DATAA fd;
            return FindFirstFileA(scratchFile().c_str(), &fd);
        },
        [](HANDLE h) {
            WIN32_FIND_DATAA fd;
            // An open search ends with "no more files"; a closed one is no handle.
            return FindNextFileA(h, &fd) || GetLastError() == ERROR_NO_MORE_FILES;
        });
    expectOwns<ScopedMenu>("menu", [] { return CreatePopupMenu(); },
                           [](HMENU m) { return IsMenu(m) != FALSE; });
    expectOwns<ScopedGlobalMemory>(
        "global memory", [] { return GlobalAlloc(GMEM_MOVEABLE, 16); },
        [](HGLOBAL g) { return GlobalSize(g) != 0; });
    expectOwns<ScopedBitmap>(
        "bitmap", [] { return CreateBitmap(2, 2, 1, 1, nullptr); },
        [](HBITMAP b) { return GetObjectType(b) == OBJ_BITMAP; });
    expectOwns<ScopedMemDc>(
        "memory DC", [] { return CreateCompatibleDC(nullptr); },
        [](HDC dc) { return GetObjectType(dc) == OBJ_MEMDC; });
    expectOwns<ScopedRegion>(
        "region", [] { return CreateRectRgn(0, 0, 4, 4); },
        [](HRGN r) { return GetObjectType(r) == OBJ_REGION; });
    for (int n = 1; n <= gScratchFiles; ++n)
        test::deleteFile(scratchPath(n));
}

// A failed CreateFile or FindFirstFile returns INVALID_HANDLE_VALUE: an owner
// of it holds nothing and closes nothing.
TEST(Scoped, FileAndFindOwnersKnowTheirFailureValue) {
    const std::string missing = test::inExeDir("scoped_test_missing\\none.txt");
    ScopedFileHandle file(CreateFileA(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(file);
    WIN32_FIND_DATAA fd;
    ScopedFindHandle find(FindFirstFileA(missing.c_str(), &fd));
    EXPECT_FALSE(find);
    EXPECT_FALSE(ScopedFileHandle());
    EXPECT_EQ(ScopedFileHandle().get(), INVALID_HANDLE_VALUE);
}

TEST(Scoped, ProcessInformationClosesBothHandles) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string command = "cmd.exe /c exit 3";
    HANDLE process = nullptr, thread = nullptr;
    {
        ScopedProcessInfo pi;
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                   CREATE_NO_WINDOW, nullptr, nullptr, &si, pi.out()));
        process = pi.process();
        thread = pi.get().hThread;
        EXPECT_NE(pi.processId(), 0u);
        WaitForSingleObject(process, 10000);
        EXPECT_TRUE(kernelHandleOpen(process));
        EXPECT_TRUE(kernelHandleOpen(thread));
    }
    EXPECT_FALSE(kernelHandleOpen(process));
    EXPECT_FALSE(kernelHandleOpen(thread));

    // Handing the process over keeps it open and still closes the thread.
    ScopedKernelHandle kept;
    {
        ScopedProcessInfo pi;
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                   CREATE_NO_WINDOW, nullptr, nullptr, &si, pi.out()));
        thread = pi.get().hThread;
        kept.reset(pi.releaseProcess());
        EXPECT_EQ(pi.process(), nullptr);
    }
    EXPECT_FALSE(kernelHandleOpen(thread));
    ASSERT_TRUE(kept);
    EXPECT_EQ(WaitForSingleObject(kept.get(), 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(kept.get(), &code));
    EXPECT_EQ(code, 3u);
}

TEST(Scoped, CoTaskMemoryIsHandedBackOnce) {
    ScopedCoTaskMem<char> a(static_cast<char*>(CoTaskMemAlloc(8)));
    ASSERT_TRUE(a);
    char* p = a.get();
    ScopedCoTaskMem<char> b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), p);
    // out() gives back what was held before a function fills it again.
    char** slot = b.out();
    EXPECT_FALSE(b);
    *slot = static_cast<char*>(CoTaskMemAlloc(8));
    EXPECT_TRUE(b);
}

TEST(Scoped, SelectionIsPutBackAndADcIsReleased) {
    ScopedMemDc dc(CreateCompatibleDC(nullptr));
    ScopedBitmap bmp(CreateBitmap(2, 2, 1, 1, nullptr));
    HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        ScopedSelect sel(dc.get(), bmp.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bmp.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), before);
    {
        ScopedWindowDc screen(nullptr);
        EXPECT_TRUE(screen);
        EXPECT_EQ(GetObjectType(screen.get()), static_cast<DWORD>(OBJ_DC));
    }
}

} // namespace
} // namespace zt
