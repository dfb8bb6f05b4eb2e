// The skin the generator draws: complete, readable by the bar, and laid out
// so that no element leaves the bar or covers another.
#include "bar/program_list.h"
#include "formats/skin_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

namespace tessel {
namespace {

const std::string kSkin = TESSEL_DEFAULT_SKIN;
const std::string kProgramDir = kSkin.substr(0, kSkin.rfind("/Skins/"));

std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct Bmp {
    int width = 0, height = 0, bits = 0;
    std::string pixels;
};

bool readBmp(const std::string& path, Bmp& out) {
    std::string d = slurp(path);
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M')
        return false;
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(d[at])) | uint32_t(uint8_t(d[at + 1])) << 8 |
               uint32_t(uint8_t(d[at + 2])) << 16 | uint32_t(uint8_t(d[at + 3])) << 24;
    };
    out.width = int(u32(18));
    out.height = int(u32(22));
    out.bits = uint8_t(d[28]);
    const size_t stride = (size_t(out.width) * 3 + 3) & ~size_t(3);
    if (u32(2) != d.size() || d.size() != 54 + stride * out.height)
        return false;
    out.pixels = d.substr(54);
    return true;
}

struct Box {
    int left, top, right, bottom;
};

TEST(DefaultSkin, EveryBitmapIsThereAndPressedLooksDiffer) {
    for (const auto& name : allSkinBitmaps()) {
        Bmp b;
        ASSERT_TRUE(readBmp(kSkin + "/" + name, b)) << name;
        EXPECT_EQ(b.bits, 24) << name;
    }
    for (int i = 0; i < kElementCount; ++i) {
        if (i == kTaskAreaElement)
            continue;
        Bmp out, in;
        ASSERT_TRUE(readBmp(kSkin + "/" + elementBitmapName(i) + "out.bmp", out));
        ASSERT_TRUE(readBmp(kSkin + "/" + elementBitmapName(i) + "in.bmp", in));
        EXPECT_EQ(out.width, in.width) << i;
        EXPECT_EQ(out.height, in.height) << i;
        EXPECT_NE(out.pixels, in.pixels) << i;
    }
}

TEST(DefaultSkin, LayoutFitsTheBarWithoutOverlaps) {
    SkinLayout l;
    ASSERT_FALSE(readSkinLayout(slurp(kSkin + "/" + kSkinSettingsFile), l).failed());
    Bmp back;
    ASSERT_TRUE(readBmp(kSkin + "/background.bmp", back));
    EXPECT_EQ(l.barWidth / 15, back.width);
    EXPECT_EQ(l.barHeight / 15, back.height);
    EXPECT_TRUE(l.horizontal());

    std::vector<Box> boxes;
    for (int i = 0; i < kElementCount; ++i) {
        int w = l.taskAreaWidth / 15, h = l.taskAreaHeight / 15;
        if (i != kTaskAreaElement) {
            Bmp b;
            ASSERT_TRUE(readBmp(kSkin + "/" + elementBitmapName(i) + "out.bmp", b));
            w = b.width, h = b.height;
        }
        Box box{l.elements[i].left / 15, l.elements[i].top / 15, 0, 0};
        box.right = box.left + w, box.bottom = box.top + h;
        EXPECT_GE(box.left, 0) << i;
        EXPECT_GE(box.top, 0) << i;
        EXPECT_LE(box.right, back.width) << i;
        EXPECT_LE(box.bottom, back.height) << i;
        boxes.push_back(box);
    }
    boxes.push_back({l.cpuMeter.left / 15, l.cpuMeter.top / 15, l.cpuMeter.left / 15 + 61,
                     l.cpuMeter.top / 15 + 32});
    for (size_t a = 0; a < boxes.size(); ++a)
        for (size_t b = a + 1; b < boxes.size(); ++b) {
            const Box &p = boxes[a], &q = boxes[b];
            EXPECT_FALSE(p.left < q.right && q.left < p.right && p.top < q.bottom &&
                         q.top < p.bottom)
                << a << " overlaps " << b;
        }
}

TEST(DefaultSkin, ProgramFolderFiles) {
    std::string folder;
    const std::string choice = slurp(kProgramDir + "/" + kSkinChoiceFile);
    ASSERT_FALSE(readSkinChoice(choice, "C:\\T", folder).failed());
    EXPECT_EQ(folder, "C:\\T\\Skins\\Graphite");
    ProgramList list;
    ASSERT_FALSE(readProgramList(slurp(kProgramDir + "/" + kProgramListFile), list).failed());
    EXPECT_GE(list.entries.size(), 3u);
    for (const auto& e : list.entries) {
        EXPECT_FALSE(e.name.empty());
        EXPECT_NE(e.commandLine.find(".exe"), std::string::npos);
    }
}

} // namespace
} // namespace tessel
