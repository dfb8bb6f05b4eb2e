// The library's code linked into this program: settings loading against real
// profile files in the Windows folder, and the generation counter seen from a
// second process (this same program started again, which shares its .shared
// section).
#include "hooklib/win/process_state.h"
#include "hooklib/win/shared_state.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/test_support.h"
#include "tests/hooklib/win/attached_library.h"

#include <gtest/gtest.h>

#include <string>

using namespace zt::test;

namespace {

constexpr char kReadyEvent[] = "zrv_state_tests_ready";
constexpr char kGoEvent[] = "zrv_state_tests_go";

HWND makeWindow() {
    static TestWindowClass cls("ZrvStateProbe");
    return CreateWindowExA(0, cls.name, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

using zrv::test::ThreadHooks;

bool waitReloaded(unsigned finished) {
    return waitFor([&] { return zrv::state().reloadsFinished.load() >= finished; }, 5000);
}

// Exit codes of the probe: 0 success, otherwise the failed step.
int probeAttachWithNonZeroCounter() {
    if (zrv::sharedGeneration() == 0)
        return 10;
    zrv::test::attachLibraryOnce();
    HWND w = makeWindow();
    ThreadHooks hooks;
    for (int i = 0; i < 5; ++i)
        SendMessageA(w, WM_USER, 0, 0);
    DestroyWindow(w);
    return zrv::state().reloadsStarted.load() == 0 ? 0 : 11;
}

int probeTwoIncrementsOneReload() {
    zrv::test::attachLibraryOnce();
    const unsigned loads = zrv::state().reloadsFinished.load(); // the one at attach
    HWND w = makeWindow();
    ThreadHooks hooks;
    SendMessageA(w, WM_USER, 0, 0);
    if (zrv::state().reloadsStarted.load() != 0)
        return 20;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, kReadyEvent);
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, kGoEvent);
    if (!ready || !go)
        return 21;
    SetEvent(ready);
    if (WaitForSingleObject(go, 10000) != WAIT_OBJECT_0)
        return 22;
    // The parent has called UpdateSetting twice.
    const unsigned routedBefore = zrv::state().messagesRouted.load();
    SendMessageA(w, WM_USER, 0, 0);
    if (zrv::state().reloadsStarted.load() != 1)
        return 23;
    // The triggering message was not routed by the return hook; the call hook
    // saw it before the reload began.
    if (zrv::state().messagesRouted.load() != routedBefore + 1)
        return 24;
    if (!waitReloaded(loads + 1))
        return 25;
    for (int i = 0; i < 5; ++i)
        SendMessageA(w, WM_USER, 0, 0);
    pumpMessages(200);
    if (zrv::state().reloadsStarted.load() != 1 ||
        zrv::state().reloadsFinished.load() != loads + 1)
        return 26;
    DestroyWindow(w);
    CloseHandle(ready);
    CloseHandle(go);
    return 0;
}

std::string selfCommand(const char* probe) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string("\"") + path + "\" --probe " + probe;
}

TEST(Generation, AProcessAttachingWithANonZeroCounterDoesNotReload) {
    UpdateSetting();
    Process p(selfCommand("attach-nonzero"));
    ASSERT_TRUE(p.started());
    EXPECT_EQ(p.wait(20000), 0u);
}

TEST(Generation, TwoIncrementsGiveOneReloadInAnotherProcess) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, kReadyEvent);
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, kGoEvent);
    Process p(selfCommand("two-increments"));
    ASSERT_TRUE(p.started());
    ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0);
    UpdateSetting();
    UpdateSetting();
    SetEvent(go);
    EXPECT_EQ(p.wait(20000), 0u);
    CloseHandle(ready);
    CloseHandle(go);
}

TEST(Generation, UpdateSettingIncrementsTheSharedCounterByOne) {
    const unsigned long before = zrv::sharedGeneration();
    UpdateSetting();
    EXPECT_EQ(zrv::sharedGeneration(), before + 1);
}

TEST(SetHookPtr, StoresTheHandlesInArgumentOrder) {
    const zrv::SharedState saved = {zrv::g_shared.returnHook, zrv::g_shared.callHook,
                                    zrv::g_shared.thirdHook, 0};
    SetHookPtr(reinterpret_cast<HHOOK>(0x11), reinterpret_cast<HHOOK>(0x22),
               reinterpret_cast<HHOOK>(0x33));
    EXPECT_EQ(zrv::g_shared.returnHook, reinterpret_cast<HHOOK>(0x11));
    EXPECT_EQ(zrv::g_shared.callHook, reinterpret_cast<HHOOK>(0x22));
    EXPECT_EQ(zrv::g_shared.thirdHook, reinterpret_cast<HHOOK>(0x33));
    SetHookPtr(saved.returnHook, saved.callHook, saved.thirdHook);
}

// --- settings against real profile files ---

class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override { zrv::test::attachLibraryOnce(); }
    ScopedSettingsFiles files_;
    zrv::EffectSettings& s = zrv::state().settings;
};

TEST_F(SettingsFiles, NoFilesGiveTheDefaults) {
    zrv::LoadEffectSettings();
    EXPECT_FALSE(s.shadowsOn);
    EXPECT_TRUE(s.semiDrag);
    EXPECT_FALSE(s.maxLimitLoaded);
    EXPECT_FALSE(s.appTransparent);
    EXPECT_EQ(s.shadowExtent, 8);
    EXPECT_EQ(s.menuShadowSize, 5);
    EXPECT_FALSE(zrv::state().reload.busy());
    // The use keys read afresh: menus at 220, slide on, fade off, 800 by 600.
    EXPECT_EQ(zrv::readUseKey("Semimenusval", 220), 220);
    EXPECT_EQ(zrv::readUseKey("SLIDE", 1), 1);
    EXPECT_EQ(zrv::readUseKey("SEMITRANS", 0), 0);
    EXPECT_EQ(zrv::readUseKey("MAXLIMIT", 1), 1);
    EXPECT_EQ(zrv::readUseKey("MAXWIDTH", 800), 800);
    EXPECT_EQ(zrv::readUseKey("MAXHEIGHT", 600), 600);
}

TEST_F(SettingsFiles, SectionAndKeyNamesIgnoreCase) {
    struct Case {
        const char* file;
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {"Zirvane.ini", "GLOBAL", "SHADOWS"},
        {"zirvane.ini", "global", "Shadows"},
        {"ZIRVANE.INI", "Global", "shadows"},
    };
    for (const Case& c : cases) {
        deleteFile(inWindowsDir("Zirvane.ini"));
        writeIni(c.file, c.section, c.key, "1");
        s.shadowsOn = false;
        zrv::LoadEffectSettings();
        EXPECT_TRUE(s.shadowsOn) << c.file << " [" << c.section << "] " << c.key;
    }
}

TEST_F(SettingsFiles, NonNumericAndEmptyValuesReadZero) {
    writeIni("Zirvane.ini", "GLOBAL", "RealShadowSize", "abc");
    writeIni("Zirvane.ini", "GLOBAL", "MAXWIDTH", "");
    writeIni("Zirvane.ini", "GLOBAL", "RealShadowAlpha", "77px");
    zrv::LoadEffectSettings();
    EXPECT_EQ(s.shadowExtent, 0);
    EXPECT_EQ(s.shadowOpacity, 77);
    EXPECT_EQ(zrv::readUseKey("MAXWIDTH", 800), 0);
}

TEST_F(SettingsFiles, ApplicationSectionIsTheUpperCasedExecutableName) {
    EXPECT_STREQ(zrv::state().appSection, "ZRV_STATE_TESTS.EXE");
    writeIni("Zirvane2.ini", "zrv_state_tests.exe", "Trans", "150");
    zrv::LoadEffectSettings();
    EXPECT_TRUE(s.appTransparent);
    EXPECT_EQ(s.appOpacity, 150);
    writeIni("Zirvane2.ini", "zrv_state_tests.exe", "Trans", "0");
    zrv::LoadEffectSettings();
    EXPECT_FALSE(s.appTransparent);
}

TEST_F(SettingsFiles, UseKeyActsAtOnceLoadKeyOnlyAfterUpdateSetting) {
    zrv::LoadEffectSettings();
    HWND w = makeWindow();
    ThreadHooks hooks;
    SendMessageA(w, WM_USER, 0, 0);
    const unsigned reloads = zrv::state().reloadsFinished.load();

    writeIni("Zirvane.ini", "GLOBAL", "Semimenusval", "99");
    writeIni("Zirvane.ini", "GLOBAL", "Shadows", "1");
    EXPECT_EQ(zrv::readUseKey("SemiMenusVal", 220), 99);
    SendMessageA(w, WM_USER, 0, 0);
    EXPECT_FALSE(s.shadowsOn) << "a load key waits for UpdateSetting";

    UpdateSetting();
    SendMessageA(w, WM_USER, 0, 0);
    ASSERT_TRUE(waitReloaded(reloads + 1));
    EXPECT_TRUE(s.shadowsOn);
    DestroyWindow(w);
}

TEST_F(SettingsFiles, ShellProcessFlagIsOffForOtherPrograms) {
    EXPECT_FALSE(zrv::state().isShellProcess);
    EXPECT_NE(zrv::state().setLayeredWindowAttributes, nullptr);
    EXPECT_NE(zrv::state().updateLayeredWindow, nullptr);
}

} // namespace

int runProbe(const char* name) {
    const std::string n = name;
    if (n == "attach-nonzero")
        return probeAttachWithNonZeroCounter();
    if (n == "two-increments")
        return probeTwoIncrementsOneReload();
    return 2;
}
