// Reading the bar's and the designer's files and their pictures: what each
// failure reports, and that a failed read never passes for a whole file.
#include "common/win/files.h"
#include "common/win/pictures.h"
#include "common/win/scoped.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace tessel {
namespace {

using zt::test::deleteFile;
using zt::test::inExeDir;
using zt::test::writeTextFile;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = inExeDir("files_test");
        CreateDirectoryA(dir_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const auto& f : made_)
            deleteFile(f);
        RemoveDirectoryA(dir_.c_str());
    }
    std::string file(const std::string& name, const std::string& content) {
        const std::string path = dir_ + "\\" + name;
        writeTextFile(path, content);
        made_.push_back(path);
        return path;
    }
    std::string dir_;
    std::vector<std::string> made_;
};

TEST_F(FilesTest, ReadsWholeFilesAndNamesEachFailure) {
    const std::string big(10000, 'x');
    struct Case {
        const char* what;
        std::string path;
        size_t maxBytes;
        ErrorNumber error;
        std::string text;
    };
    const Case cases[] = {
        {"a file", file("a.prg", " 1 \r\nn\r\nc\r\n"), kAnySize, ErrorNumber::None,
         " 1 \r\nn\r\nc\r\n"},
        {"an empty file", file("empty.prg", ""), kAnySize, ErrorNumber::None, ""},
        {"larger than the read buffer", file("big.prg", big), kAnySize, ErrorNumber::None, big},
        {"exactly the limit", file("limit.prg", big), big.size(), ErrorNumber::None, big},
        {"over the limit", file("over.prg", big), big.size() - 1,
         ErrorNumber::InvalidFileFormat, ""},
        {"UTF-8 with its mark", file("utf8.tsi", "\xEF\xBB\xBF" "abc\r\n"), kAnySize,
         ErrorNumber::None, "abc\r\n"},
        {"missing file", dir_ + "\\none.prg", kAnySize, ErrorNumber::FileNotFound, ""},
        {"missing folder", dir_ + "\\none\\a.prg", kAnySize, ErrorNumber::PathNotFound, ""},
        {"a folder", dir_, kAnySize, ErrorNumber::PermissionDenied, ""},
    };
    for (const auto& c : cases) {
        std::string text = "left over";
        const RunError e = readTextFile(c.path, text, "shown.prg", c.maxBytes);
        EXPECT_EQ(e.number(), c.error) << c.what << ": " << e.description();
        EXPECT_EQ(text, c.text) << c.what;
        if (e.failed()) {
            EXPECT_NE(e.description().find(c.path), std::string::npos) << c.what;
        }
    }
    std::string text;
    const RunError unnamed = readTextFile("", text, "programs.prg");
    EXPECT_TRUE(unnamed.failed());
    EXPECT_NE(unnamed.description().find("programs.prg"), std::string::npos)
        << unnamed.description();
}

// Bytes are bytes: a picture that happens to start like a UTF-8 mark stays
// as it is.
TEST_F(FilesTest, WholeFileKeepsEveryByte) {
    const std::string bytes("\xEF\xBB\xBF\0\x01\xFF", 6);
    std::string data;
    ASSERT_FALSE(readWholeFile(file("raw.bin", bytes), data).failed());
    EXPECT_EQ(data, bytes);
}

// A source that breaks off after some of its bytes (a pipe whose writer goes
// away): the read fails part way, which is no shorter file.
TEST_F(FilesTest, AReadThatFailsPartWayGivesNothing) {
    const std::string name = "\\\\.\\pipe\\files_test_" + std::to_string(GetCurrentProcessId());
    zt::ScopedKernelHandle server(CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND,
                                                   PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536,
                                                   0, nullptr));
    ASSERT_NE(server.get(), INVALID_HANDLE_VALUE);
    std::thread writer([&server] {
        ConnectNamedPipe(server.get(), nullptr);
        DWORD put = 0;
        WriteFile(server.get(), "half a list\r\n", 13, &put, nullptr);
        server.reset();
    });
    std::string text = "left over";
    const RunError e = readTextFile(name, text);
    writer.join();
    EXPECT_EQ(e.number(), ErrorNumber::DeviceIoError) << e.description();
    EXPECT_EQ(text, "");
}

TEST_F(FilesTest, AUtf8FileWithCharactersOutsideTheCodePageFails) {
    // U+4E2D has no place in the Western code page the tests run under.
    std::string text = "left over";
    const RunError e = readTextFile(file("cjk.tsi", "\xEF\xBB\xBF\xE4\xB8\xAD"), text);
    EXPECT_EQ(e.number(), ErrorNumber::InvalidFileFormat);
    EXPECT_NE(e.description().find("UTF-8"), std::string::npos) << e.description();
    EXPECT_EQ(text, "");
}

// A bitmap file: 2 by 2 pixels at 24 bits, rows bottom-up, each padded to 8
// bytes.
std::string bitmapFile() {
    std::string b = "BM";
    auto put = [&b](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b.push_back(char(v >> (8 * i)));
    };
    put(54 + 16, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(2, 4);
    put(2, 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(16, 4);
    put(0, 16);
    // Bottom row blue, red; top row green, white (bytes are blue, green, red).
    b += std::string("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8);
    b += std::string("\x00\xFF\x00\xFF\xFF\xFF\x00\x00", 8);
    return b;
}

TEST_F(FilesTest, PicturesLoadWithTheirPixels) {
    zt::ScopedBitmap bmp;
    ASSERT_FALSE(loadPicture(file("pic.bmp", bitmapFile()), bmp).failed());
    ASSERT_TRUE(bmp);
    const SIZE s = bitmapSize(bmp.get());
    EXPECT_EQ(s.cx, 2);
    EXPECT_EQ(s.cy, 2);
    zt::ScopedMemDc dc(CreateCompatibleDC(nullptr));
    zt::ScopedSelect sel(dc.get(), bmp.get());
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc.get(), 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc.get(), 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc.get(), 1, 1), RGB(255, 0, 0));
}

// Kinds the fast path leaves alone go to the platform's loader.
TEST_F(FilesTest, OldHeaderPicturesGoToThePlatform) {
    std::string b = bitmapFile();
    // The 12-byte header of old files: 16-bit width and height, planes, depth.
    b = b.substr(0, 10) + std::string("\x1A\0\0\0", 4) +
        std::string("\x0C\0\0\0\x02\0\x02\0\x01\0\x18\0", 12) + b.substr(54);
    zt::ScopedBitmap bmp;
    ASSERT_FALSE(loadPicture(file("old.bmp", b), bmp).failed());
    const SIZE s = bitmapSize(bmp.get());
    EXPECT_EQ(s.cx, 2);
    EXPECT_EQ(s.cy, 2);
}

TEST_F(FilesTest, PictureFailures) {
    struct Case {
        const char* what;
        std::string path;
        ErrorNumber error;
    };
    const Case cases[] = {
        {"missing", dir_ + "\\none.bmp", ErrorNumber::FileNotFound},
        {"missing folder", dir_ + "\\none\\a.bmp", ErrorNumber::PathNotFound},
        {"no picture", file("junk.bmp", "BM this is no picture"), ErrorNumber::InvalidPicture},
        {"a folder", dir_, ErrorNumber::InvalidPicture},
    };
    for (const auto& c : cases) {
        zt::ScopedBitmap bmp;
        const RunError e = loadPicture(c.path, bmp);
        EXPECT_EQ(e.number(), c.error) << c.what << ": " << e.description();
        EXPECT_FALSE(bmp) << c.what;
    }
    EXPECT_EQ(bitmapSize(nullptr).cx, 0);
}

} // namespace
} // namespace tessel
