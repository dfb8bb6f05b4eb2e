// Fade-in, slide-in, application transparency and the tracked windows, on
// real windows with the library's hooks on the test thread.
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"
#include "tests/hooklib/win/effects_fixture.h"
#include "tests/hooklib/win/effects_harness.h"
#include "tests/hooklib/win/observed.h"
#include "tests/support/win/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace zt::test;
using namespace fxtest;
namespace props = zrv::props;

namespace {

constexpr char kExe[] = "zrv_effects_tests.exe";

int opacityOf(HWND w) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(w, &key, &alpha, &flags))
        return -1;
    return alpha;
}

void tick(HWND w, UINT_PTR id) { zrv::EffectTimerProc(w, WM_TIMER, id, 0); }

RECT rectOf(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

class Effects : public EffectsFixture {
protected:
    void SetUp() override {
        EffectsFixture::SetUp();
        // Timers that never fire by themselves: the test drives each tick.
        set("FADERATE", "600000");
        set("SLIDERATE", "600000");
        zrv::LoadEffectSettings();
    }
    HWND window(DWORD style, int x, int y, int w, int h, HWND owner = nullptr, DWORD ex = 0) {
        return recordingWindow(style, ex, x, y, w, h, owner);
    }
    HWND shownOwner(int x, int y, int w, int h) {
        HWND o = window(kCaptioned, x, y, w, h);
        ShowWindow(o, SW_SHOWNOACTIVATE);
        return o;
    }
};

TEST_F(Effects, FadeShowsTheOpacitySequenceAndEndsOpaqueAndNotLayered) {
    set("SEMITRANS", "1");
    HWND w = window(kCaptioned, 50, 50, 200, 150);
    HWND sh1 = makeFakeShadow(), sh2 = makeFakeShadow();
    props::setWindow(w, props::kShadowRight, sh1);
    props::setWindow(w, props::kShadowBottom, sh2);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(isLayered(w));
    EXPECT_EQ(props::getInt(w, props::kFadeLevel), 255);
    std::vector<int> seen = {opacityOf(w)};
    for (int i = 0; i < 10; ++i) {
        tick(w, zrv::TIMER_FADE);
        if (isLayered(w))
            seen.push_back(opacityOf(w));
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 102, 163, 200, 222, 236, 244, 249, 252, 254}));
    EXPECT_FALSE(isLayered(w));
    EXPECT_FALSE(props::has(w, props::kFadeLevel));
    // The shadows follow every step through "ALP", ending at full opacity.
    for (HWND sh : {sh1, sh2}) {
        const ShadowLog& log = shadowLog(sh);
        ASSERT_EQ(log.commands.size(), 10u);
        EXPECT_EQ(log.commands.front(), zrv::HOOKCMD_ALPHA);
        EXPECT_EQ(log.alphaAtCommand.front(), 102);
        EXPECT_EQ(log.alphaAtCommand.back(), 255);
    }
    DestroyWindow(sh1);
    DestroyWindow(sh2);
}

TEST_F(Effects, FadeEligibility) {
    struct Case {
        const char* smallOnly;
        const char* nonSize;
        int w, h;
        DWORD extraStyle;
        bool fades;
    };
    const Case cases[] = {
        {"1", "0", 299, 300, 0, true},  {"1", "0", 300, 300, 0, false},
        {"0", "1", 400, 400, 0x80, true}, {"0", "1", 400, 400, 0, false},
        {"0", "0", 400, 400, 0, true},
    };
    set("SEMITRANS", "1");
    for (const Case& c : cases) {
        set("SMALLONLY", c.smallOnly);
        set("NONSIZE", c.nonSize);
        HWND w = window(kCaptioned | c.extraStyle, 10, 10, c.w, c.h);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        EXPECT_EQ(props::has(w, props::kFadeLevel), c.fades)
            << c.smallOnly << c.nonSize << " " << c.w << "x" << c.h;
        EXPECT_EQ(isLayered(w), c.fades);
        DestroyWindow(w);
    }
    // Without a title bar, or with fade off, nothing fades.
    HWND popup = window(WS_POPUP | WS_BORDER, 10, 10, 100, 100);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(isLayered(popup));
    set("SEMITRANS", "0");
    HWND off = window(kCaptioned, 10, 10, 100, 100);
    ShowWindow(off, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(isLayered(off));
}

std::vector<LONG> slideTops(HWND w) {
    std::vector<LONG> tops;
    // A step of 0 is stored as a property whose value reads like an absent
    // one, so the first tick is always taken.
    for (int i = 0; i < 40 && (i == 0 || props::has(w, props::kSlideStep)); ++i) {
        tick(w, zrv::TIMER_SLIDE);
        tops.push_back(rectOf(w).top);
    }
    return tops;
}

TEST_F(Effects, SlideFromTheOwnersEdges) {
    struct Case {
        const char* what;
        const char* from;
        int ownerTop, height;
        LONG startTop;
        int step;
        std::vector<LONG> tops;
    };
    const Case cases[] = {
        {"top edge", "0", 100, 100, 100, 150, {175, 212, 230, 239, 243, 245, 246, 246}},
        {"bottom edge", "1", 100, 100, 400, -150, {325, 288, 270, 261, 257, 255, 254, 254}},
        {"taller, from the top: up, never above 0", "0", 20, 600, 20, -100, {0, 0, 0, 0, 0, 0, 0}},
        {"taller, from the bottom: down", "1", 300, 600, 100, 100, {150, 175, 187, 193, 196, 197, 197}},
        {"equal height: placed, one tick", "0", 100, 400, 100, 0, {100}},
    };
    for (const Case& c : cases) {
        set("SLIDEFROM", c.from);
        HWND owner = shownOwner(100, c.ownerTop, 600, 400);
        HWND w = window(kCaptioned, 0, 0, 200, c.height, owner);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        const RECT r = rectOf(w);
        EXPECT_EQ(r.left, 300) << c.what;
        EXPECT_EQ(r.top, c.startTop) << c.what;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.what;
        EXPECT_EQ(props::getInt(w, props::kSlideTotal), c.step) << c.what;
        EXPECT_EQ(props::getInt(w, props::kSlideStep), c.step) << c.what;
        EXPECT_EQ(slideTops(w), c.tops) << c.what;
        EXPECT_FALSE(props::has(w, props::kSlideStep)) << c.what;
        EXPECT_FALSE(props::has(w, props::kSlideTotal)) << c.what;
        DestroyWindow(w);
        DestroyWindow(owner);
    }
}

TEST_F(Effects, SlideWithinTheWorkArea) {
    set("SLIDESCREEN", "1");
    RECT wa = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    HWND owner = shownOwner(100, 100, 300, 200);
    HWND w = window(kCaptioned, 0, 0, 200, 100, owner);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    const RECT r = rectOf(w);
    EXPECT_EQ(r.left, wa.left + (wa.right - wa.left - 200) / 2);
    EXPECT_EQ(r.top, wa.top);
    EXPECT_EQ(props::getInt(w, props::kSlideStep), (wa.bottom - wa.top - 100) / 2);
}

TEST_F(Effects, WindowsThatNeverSlide) {
    struct Case {
        const char* what;
        const char* slideTool;
        bool owned, ownerShown;
        DWORD style, ex;
        bool slides;
    };
    const Case cases[] = {
        {"unowned", "1", false, false, kCaptioned, 0, false},
        {"hidden owner", "1", true, false, kCaptioned, 0, false},
        {"tool window, SLIDETOOL 0", "0", true, true, kCaptioned, WS_EX_TOOLWINDOW, false},
        {"tool window, SLIDETOOL 2", "2", true, true, kCaptioned, WS_EX_TOOLWINDOW, true},
        {"no title bar", "1", true, true, WS_POPUP | WS_BORDER, 0, false},
        {"owned and captioned", "1", true, true, kCaptioned, 0, true},
    };
    for (const Case& c : cases) {
        set("SLIDETOOL", c.slideTool);
        HWND owner = window(kCaptioned, 100, 100, 600, 400);
        if (c.ownerShown)
            ShowWindow(owner, SW_SHOWNOACTIVATE);
        HWND w = window(c.style, 7, 9, 200, 100, c.owned ? owner : nullptr, c.ex);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        EXPECT_EQ(props::has(w, props::kSlideTotal), c.slides) << c.what;
        EXPECT_EQ(rectOf(w).left == 7, !c.slides) << c.what;
        DestroyWindow(w);
        DestroyWindow(owner);
    }
    set("SLIDETOOL", "1");
    set("SLIDE", "0");
    HWND owner = shownOwner(100, 100, 600, 400);
    HWND w = window(kCaptioned, 7, 9, 200, 100, owner);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(props::has(w, props::kSlideTotal)) << "SLIDE 0";
}

TEST_F(Effects, FadeAndSlideRunAtOnceOnTheirOwnTimers) {
    set("SEMITRANS", "1");
    set("FADERATE", "15");
    set("SLIDERATE", "25");
    HWND owner = shownOwner(100, 100, 600, 400);
    HWND w = window(kCaptioned, 0, 0, 200, 100, owner);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(props::has(w, props::kFadeLevel));
    EXPECT_TRUE(props::has(w, props::kSlideStep));
    // Both go on together, each on its timer, until both are done.
    EXPECT_TRUE(waitFor([&] { return !props::has(w, props::kFadeLevel) &&
                                     !props::has(w, props::kSlideStep); },
                        5000));
    EXPECT_FALSE(isLayered(w));
    EXPECT_EQ(rectOf(w).top, 246);
    EXPECT_TRUE(libraryProps(w).empty());
}

TEST_F(Effects, WindowDestroyedMidAnimationLosesItsProperties) {
    set("SEMITRANS", "1");
    HWND owner = shownOwner(100, 100, 600, 400);
    HWND w = window(kCaptioned, 0, 0, 200, 100, owner);
    HWND sh1 = makeFakeShadow(), sh2 = makeFakeShadow();
    ShowWindow(w, SW_SHOWNOACTIVATE);
    props::setWindow(w, props::kShadowRight, sh1);
    props::setWindow(w, props::kShadowBottom, sh2);
    props::setInt(w, props::kWidth, 200);
    props::setInt(w, props::kHeight, 100);
    tick(w, zrv::TIMER_FADE);
    tick(w, zrv::TIMER_SLIDE);
    ASSERT_EQ(libraryProps(w).size(), 8u); // with the mark of the fade's layering
    recorder().watched = w;
    recorder().leftAtNcDestroy = {"not destroyed"};
    DestroyWindow(w);
    recorder().watched = nullptr;
    EXPECT_TRUE(recorder().leftAtNcDestroy.empty());
    EXPECT_FALSE(IsWindow(sh1)) << "shadows are closed with their window";
    EXPECT_FALSE(IsWindow(sh2));
}

TEST_F(Effects, ApplicationTransparency) {
    set("SEMITRANS", "1");
    writeIni("Zirvane2.ini", kExe, "Trans", "150");
    zrv::LoadEffectSettings();
    ASSERT_TRUE(zrv::state().settings.appTransparent);
    // Shown windows get the opacity at once, title bar or not; no fade.
    for (DWORD style : {kCaptioned, static_cast<DWORD>(WS_POPUP)}) {
        HWND w = window(style, 10, 10, 120, 80);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        EXPECT_TRUE(isLayered(w)) << style;
        EXPECT_EQ(opacityOf(w), 150) << style;
        EXPECT_FALSE(props::has(w, props::kFadeLevel)) << style;
    }
    // A child never.
    HWND parent = window(kCaptioned, 10, 10, 300, 300);
    HWND child = CreateWindowExA(0, "FxRecording", "", WS_CHILD, 0, 0, 50, 50, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ShowWindow(child, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(isLayered(child));
    // The slide still may be.
    HWND owner = shownOwner(100, 100, 600, 400);
    HWND owned = window(kCaptioned, 0, 0, 200, 100, owner);
    ShowWindow(owned, SW_SHOWNOACTIVATE);
    EXPECT_EQ(opacityOf(owned), 150);
    EXPECT_TRUE(props::has(owned, props::kSlideStep));

    writeIni("Zirvane2.ini", kExe, "Trans", "0");
    zrv::LoadEffectSettings();
    set("SEMITRANS", "0");
    HWND off = window(kCaptioned, 10, 10, 120, 80);
    ShowWindow(off, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(isLayered(off)) << "Trans 0 is off";
}

TEST_F(Effects, ShadowsOnTrackCaptionedWindowsAndReapplyTransparencyOnMoves) {
    set("Shadows", "1");
    zrv::LoadEffectSettings();
    HWND w = window(kCaptioned, 10, 10, 120, 80);
    // A tool window: no shadows, so only the transparency step could track it.
    HWND popup = window(WS_POPUP, 10, 10, 120, 80, nullptr, WS_EX_TOOLWINDOW);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    EXPECT_GT(zrv::state().tracked.find(props::handleValue(w)), 0);
    EXPECT_EQ(zrv::state().tracked.find(props::handleValue(popup)), 0);
    EXPECT_FALSE(isLayered(w));

    // Listing the application and reloading: the reset repositions the window
    // and its fresh position change gives it the opacity.
    writeIni("Zirvane2.ini", kExe, "Trans", "90");
    zrv::LoadEffectSettings();
    EXPECT_TRUE(isLayered(w));
    EXPECT_EQ(opacityOf(w), 90);
    DestroyWindow(w);
    EXPECT_EQ(zrv::state().tracked.find(props::handleValue(w)), 0) << "untracked at destroy";
}

TEST_F(Effects, ReloadResetsEveryTrackedWindow) {
    set("Shadows", "1");
    zrv::LoadEffectSettings();
    const unsigned reloads = zrv::test::observed().reloadsFinished.load();
    struct Tracked {
        HWND w, sh1, sh2;
        RECT r;
    };
    std::vector<Tracked> all;
    for (int i = 0; i < 3; ++i) {
        HWND w = window(kCaptioned, 20 + 30 * i, 40 + 20 * i, 150, 100);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        ASSERT_GT(zrv::state().tracked.find(props::handleValue(w)), 0);
        Tracked t{w, makeFakeShadow(), makeFakeShadow(), rectOf(w)};
        props::setWindow(w, props::kShadowRight, t.sh1);
        props::setWindow(w, props::kShadowBottom, t.sh2);
        zrv::addLayeredStyle(w); // as application transparency would
        all.push_back(t);
    }
    recorder().watched = all[1].w;
    recorder().frameChangedMoves = 0;
    // The real path: a new generation, noticed at the next message, read on
    // a thread of its own.
    UpdateSetting();
    SendMessageA(all[0].w, WM_NULL, 0, 0);
    ASSERT_TRUE(waitFor([&] { return zrv::test::observed().reloadsFinished.load() > reloads &&
                                     recorder().frameChangedMoves > 0; },
                        5000));
    pumpMessages(50);
    recorder().watched = nullptr;
    for (const Tracked& t : all) {
        EXPECT_FALSE(IsWindow(t.sh1));
        EXPECT_FALSE(IsWindow(t.sh2));
        // Its fresh position change gives it new shadows of its own.
        EXPECT_NE(props::getWindow(t.w, props::kShadowRight), t.sh1);
        EXPECT_NE(props::getWindow(t.w, props::kShadowBottom), t.sh2);
        EXPECT_FALSE(isLayered(t.w));
        const RECT r = rectOf(t.w);
        EXPECT_EQ(r.left, t.r.left);
        EXPECT_EQ(r.top, t.r.top);
        EXPECT_EQ(r.right, t.r.right);
        // Its fresh position change brought it back into the table.
        EXPECT_GT(zrv::state().tracked.find(props::handleValue(t.w)), 0);
    }
    EXPECT_EQ(recorder().frameChangedMoves, 1);
}

TEST_F(Effects, DetachClosesTheShadowsOfTrackedWindows) {
    set("Shadows", "1");
    zrv::LoadEffectSettings();
    HWND w = window(kCaptioned, 10, 10, 120, 80);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    HWND sh1 = props::getWindow(w, props::kShadowRight);
    HWND sh2 = props::getWindow(w, props::kShadowBottom);
    ASSERT_TRUE(IsWindow(sh1));
    ASSERT_TRUE(IsWindow(sh2));
    zrv::fx::closeTrackedForDetach(true);
    EXPECT_FALSE(IsWindow(sh1));
    EXPECT_FALSE(IsWindow(sh2));
    EXPECT_FALSE(props::has(w, props::kShadowRight));
    EXPECT_FALSE(props::has(w, props::kShadowBottom));
    EXPECT_EQ(zrv::state().tracked.find(props::handleValue(w)), 0);
}

TEST_F(Effects, TimerStepsOfShadowsAndMenus) {
    set("Semimenusval", "77");
    // Layered by the library, it gets the menu opacity; layered by its
    // program, it keeps the program's own attributes.
    HWND menu = window(WS_POPUP, 10, 10, 50, 50);
    ASSERT_TRUE(zrv::addLayeredStyle(menu));
    ASSERT_TRUE(zrv::startEffectTimer(menu, zrv::TIMER_MENU_ALPHA, zrv::kMenuAlphaInterval));
    HWND programs = window(WS_POPUP, 70, 10, 50, 50, nullptr, WS_EX_LAYERED);
    SetLayeredWindowAttributes(programs, 0, 150, LWA_ALPHA);
    ASSERT_TRUE(zrv::startEffectTimer(programs, zrv::TIMER_MENU_ALPHA, zrv::kMenuAlphaInterval));
    HWND shadow = makeFakeShadow();
    props::setInt(shadow, props::kAlpha, 40);
    ASSERT_TRUE(
        zrv::startEffectTimer(shadow, zrv::TIMER_SHADOW_SETTLE, zrv::kShadowSettleInterval));
    ASSERT_TRUE(waitFor([&] { return shadowLog(shadow).commands.size() >= 2; }, 3000));
    pumpMessages(250);
    EXPECT_EQ(opacityOf(menu), 77);
    EXPECT_EQ(opacityOf(programs), 150);
    const ShadowLog& log = shadowLog(shadow);
    EXPECT_EQ(log.commands, (std::vector<WPARAM>{zrv::HOOKCMD_ALPHA, zrv::HOOKCMD_RESHAPE}))
        << "one shot each";
    EXPECT_EQ(log.alphaAtCommand.front(), 255);
    DestroyWindow(shadow);
}

} // namespace

// A short soak in every test run; the full one is zrv_effects_soak.
#include "tests/hooklib/win/effects_soak.h"

namespace {

TEST(Soak, ManyWindowsOnFourThreadsWhileSettingsKeepChanging) {
    // In a process of its own, which binds the shipped library, unbinds it
    // half-way and binds it again; it prints its figures and says by its
    // exit code whether they are good.
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    zt::test::Process soak(std::string("\"") + path + "\" --probe soak 12");
    ASSERT_TRUE(soak.started());
    EXPECT_EQ(soak.wait(120000), 0u);
}

} // namespace
