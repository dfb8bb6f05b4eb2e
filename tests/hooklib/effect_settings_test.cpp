#include "hooklib/effect_settings.h"

#include "formats/effect_keys.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

namespace {

// Profile files as a map; the platform's case rule is its own and is tested
// under wine.
class MapProfile final : public zrv::ProfileReader {
public:
    std::map<std::tuple<std::string, std::string, std::string>, int> values;
    mutable int reads = 0;
    int readInt(const char* file, const char* section, const char* key,
                int def) const override {
        ++reads;
        auto it = values.find({file, section, key});
        return it == values.end() ? def : it->second;
    }
};

TEST(EffectSettings, DefaultsWithNoFiles) {
    zrv::EffectSettings s;
    MapProfile none;
    zrv::loadEffectSettings(s, none, "NOTEPAD.EXE", true);
    EXPECT_FALSE(s.shadowsOn);
    EXPECT_FALSE(s.constantShade);
    EXPECT_TRUE(s.realShadows);
    EXPECT_EQ(s.shadowExtent, 8);
    EXPECT_EQ(s.shadowOffset, 8);
    EXPECT_EQ(s.shadowOpacity, 128);
    EXPECT_EQ(s.menuShadowSize, 5);
    EXPECT_FALSE(s.emulatedMenus);
    EXPECT_TRUE(s.semiDrag);
    EXPECT_FALSE(s.ghostDrag);
    EXPECT_FALSE(s.maxLimitLoaded);
    EXPECT_FALSE(s.customIconTextBackground);
    EXPECT_FALSE(s.transparentIconTextBackground);
    EXPECT_FALSE(s.customIconTextColour);
    EXPECT_FALSE(s.appTransparent);
    EXPECT_EQ(s.appOpacity, 220);
}

TEST(EffectSettings, FlagsCompareWithTheirValues) {
    struct Case {
        const char* key;
        int value;
        bool zrv::EffectSettings::*field;
        bool expected;
    };
    const Case cases[] = {
        {"Shadows", 1, &zrv::EffectSettings::shadowsOn, true},
        {"Shadows", 2, &zrv::EffectSettings::shadowsOn, false},
        {"ShadowsVar", 2, &zrv::EffectSettings::constantShade, false},
        {"ShadowsVar", 1, &zrv::EffectSettings::constantShade, true},
        {"ShadowsVar", 0, &zrv::EffectSettings::constantShade, true},
        {"shadowsSemiTrans", 0, &zrv::EffectSettings::realShadows, false},
        {"TransOn9X", 1, &zrv::EffectSettings::emulatedMenus, true},
        {"CUSTOMBKCOLOUR", 1, &zrv::EffectSettings::customIconTextBackground, true},
        {"CUSTOMBKCOLOUR", 2, &zrv::EffectSettings::customIconTextBackground, false},
        {"CUSTOMBKCOLOUR", 2, &zrv::EffectSettings::transparentIconTextBackground, true},
        {"CUSTOMBKCOLOUR", 3, &zrv::EffectSettings::transparentIconTextBackground, false},
        {"CUSTOMFORECOLOUR", 1, &zrv::EffectSettings::customIconTextColour, true},
        {"SEMIDRAG", 0, &zrv::EffectSettings::semiDrag, false},
        {"SEMIDRAGGHOST", 1, &zrv::EffectSettings::ghostDrag, true},
        {"MAXLIMIT", 1, &zrv::EffectSettings::maxLimitLoaded, true},
    };
    for (const Case& c : cases) {
        MapProfile p;
        p.values[{"Zirvane.ini", "GLOBAL", c.key}] = c.value;
        zrv::EffectSettings s;
        zrv::loadEffectSettings(s, p, "A.EXE", true);
        EXPECT_EQ(s.*(c.field), c.expected) << c.key << "=" << c.value;
    }
}

TEST(EffectSettings, RealShadowsNeedUpdateLayeredWindow) {
    MapProfile p;
    p.values[{"Zirvane.ini", "GLOBAL", "shadowsSemiTrans"}] = 1;
    zrv::EffectSettings s;
    zrv::loadEffectSettings(s, p, "A.EXE", false);
    EXPECT_FALSE(s.realShadows);
}

TEST(EffectSettings, ShadowSizeFillsExtentAndOffset) {
    MapProfile p;
    p.values[{"Zirvane.ini", "GLOBAL", "RealShadowSize"}] = 25;
    p.values[{"Zirvane.ini", "GLOBAL", "RealShadowAlpha"}] = 300; // used as read
    zrv::EffectSettings s;
    zrv::loadEffectSettings(s, p, "A.EXE", true);
    EXPECT_EQ(s.shadowExtent, 25);
    EXPECT_EQ(s.shadowOffset, 25);
    EXPECT_EQ(s.shadowOpacity, 300);
}

TEST(EffectSettings, TransIsReadTwiceAndZeroMeansOff) {
    struct Case {
        bool present;
        int value;
        bool on;
        int opacity;
    };
    const Case cases[] = {
        {false, 0, false, 220}, // no section: opacity keeps its previous value
        {true, 0, false, 220},
        {true, 150, true, 150},
        {true, -5, true, -5}, // low 8 bits are taken when applied
    };
    for (const Case& c : cases) {
        MapProfile p;
        if (c.present)
            p.values[{"Zirvane2.ini", "NOTEPAD.EXE", "Trans"}] = c.value;
        zrv::EffectSettings s;
        zrv::loadEffectSettings(s, p, "NOTEPAD.EXE", true);
        EXPECT_EQ(s.appTransparent, c.on) << c.value;
        EXPECT_EQ(s.appOpacity, c.opacity) << c.value;
    }
}

TEST(EffectSettings, ReloadClearsAnEarlierApplicationTransparency) {
    MapProfile p;
    p.values[{"Zirvane2.ini", "A.EXE", "Trans"}] = 100;
    zrv::EffectSettings s;
    zrv::loadEffectSettings(s, p, "A.EXE", true);
    ASSERT_TRUE(s.appTransparent);
    p.values.clear();
    zrv::loadEffectSettings(s, p, "A.EXE", true);
    EXPECT_FALSE(s.appTransparent);
}

// Only the program's own section with exactly 1 keeps it out; another
// program's exclusion, or any other value, leaves it in.
TEST(EffectSettings, ExclusionIsExactlyOneInTheProgramsOwnSection) {
    struct Case {
        const char* section;
        int value;
        bool excluded;
    };
    const Case cases[] = {
        {"GAME.EXE", 1, true},   {"GAME.EXE", 0, false}, {"GAME.EXE", 2, false},
        {"GAME.EXE", -1, false}, {"OTHER.EXE", 1, false},
    };
    for (const Case& c : cases) {
        MapProfile p;
        p.values[{"Zirvane2.ini", c.section, "NoEffects"}] = c.value;
        zrv::EffectSettings s;
        zrv::loadEffectSettings(s, p, "GAME.EXE", true);
        EXPECT_EQ(s.excluded, c.excluded) << c.section << " " << c.value;
    }
}

TEST(ApplicationSectionName, KeepsTheFileNameUpperCased) {
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\windows\\notepad.exe", "NOTEPAD.EXE"},
        {"notepad.exe", "NOTEPAD.EXE"},
        {"C:\\a\\b\\", ""},
        {"C:\\Program Files\\My App\\MyApp.Exe", "MYAPP.EXE"},
        {"", ""},
    };
    for (const Case& c : cases) {
        char out[zrv::kAppSectionSize];
        zrv::applicationSectionName(c.path, out);
        EXPECT_STREQ(out, c.expected) << c.path;
    }
}

TEST(ApplicationSectionName, ConsidersAtMost255CharactersOfThePath) {
    std::string path = "C:\\" + std::string(240, 'd') + "\\verylongname.exe";
    char out[zrv::kAppSectionSize];
    zrv::applicationSectionName(path.c_str(), out);
    // 255 characters: "C:\" (3) + 240 + "\" (1) leaves 11 of the name.
    EXPECT_STREQ(out, "VERYLONGNAM");
}

TEST(EffectKeys, LibraryAndUtilityDefaultsDifferWhereTheyShould) {
    EXPECT_EQ(zrv::keys::kSemiMenusVal.libraryDefault, 220);
    EXPECT_EQ(zrv::keys::kSemiMenusVal.utilityDefault, 200);
    EXPECT_EQ(zrv::keys::kMaxLimitUse.libraryDefault, 1);
    EXPECT_EQ(zrv::keys::kMaxLimitLoad.libraryDefault, 0);
    EXPECT_EQ(zrv::keys::kMaxLimitUse.utilityDefault, 0);
}

} // namespace

namespace {

TEST(ParseProfileInt, ReadsLikeTheIntegerProfileRead) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"", 0},       {"abc", 0},    {"12", 12},        {"-7", -7},
        {"+5", 5},     {"77px", 77},  {"  42", 42},      {"255 ", 255},
        {"-", 0},      {"1.5", 1},    {"4294967295", -1}, {"0x10", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zrv::parseProfileInt(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
