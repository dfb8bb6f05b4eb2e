// The settings-file guard of the wine tests: it shares the development
// prefix with `make run` and with the developer's own settings, so a test
// program killed half-way must not leave its settings behind for good, and
// no guard may lose the settings it found.
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zt::test;

constexpr char kName[] = "ZtGuardProbe.ini";
constexpr char kMissing[] = "<none>";

std::string path(const char* suffix = "") { return inWindowsDir(kName) + suffix; }

std::string contentOf(const std::string& p) {
    return GetFileAttributesA(p.c_str()) == INVALID_FILE_ATTRIBUTES ? kMissing : readTextFile(p);
}

void put(const std::string& p, const char* content) {
    if (std::string(content) == kMissing)
        DeleteFileA(p.c_str());
    else
        writeTextFile(p, content);
}

void clearAll() {
    for (const char* s : {"", ".testsave", ".testnone", ".testsave1", ".testnone1"})
        DeleteFileA(path(s).c_str());
}

TEST(SettingsGuard, PutsBackWhatItFoundAndRepairsWhatAKilledTestLeft) {
    struct Case {
        const char* what;
        const char* file;     // the settings file as the guard finds it
        const char* saved;    // "NAME.testsave" as found
        bool noneMark;        // "NAME.testnone" found
        const char* expected; // the file after the guard
    };
    const Case cases[] = {
        {"no file", kMissing, kMissing, false, kMissing},
        {"the user's file", "user", kMissing, false, "user"},
        {"a killed test had set the user's file aside", "killed test", "user", false, "user"},
        {"a killed test had found none", "killed test", kMissing, true, kMissing},
        {"a killed test's file already gone", kMissing, "user", false, "user"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearAll();
        put(path(), c.file);
        put(path(".testsave"), c.saved);
        if (c.noneMark)
            put(path(".testnone"), "");
        {
            ScopedSettingsFiles guard({kName});
            EXPECT_EQ(contentOf(path()), kMissing) << "each test starts from no file";
            writeTextFile(path(), "this test");
        }
        EXPECT_EQ(contentOf(path()), c.expected);
        EXPECT_EQ(contentOf(path(".testsave")), kMissing);
        EXPECT_EQ(contentOf(path(".testnone")), kMissing);
    }
    clearAll();
}

TEST(SettingsGuard, NestedGuardsEachPutBackTheFileTheyFound) {
    clearAll();
    writeTextFile(path(), "user");
    {
        ScopedSettingsFiles outer({kName});
        writeTextFile(path(), "outer test");
        {
            ScopedSettingsFiles inner({kName});
            EXPECT_EQ(contentOf(path()), kMissing);
            writeTextFile(path(), "inner test");
        }
        EXPECT_EQ(contentOf(path()), "outer test");
    }
    EXPECT_EQ(contentOf(path()), "user");
    clearAll();
}

} // namespace
