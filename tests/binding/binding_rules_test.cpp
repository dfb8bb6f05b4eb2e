#include "binding/companion_protocol.h"
#include "binding/reach.h"

#include <gtest/gtest.h>

namespace {

// The companion refuses to run on anything but one process id: started by
// hand, or with a mangled line, it must not install hooks that nothing
// would ever remove.
TEST(CompanionProtocol, LoaderIdIsOneDecimalNumberThatFits32Bits) {
    struct Case {
        const char* line;
        bool ok;
        unsigned long id;
    };
    const Case cases[] = {
        {"1234", true, 1234},
        {"  77 ", true, 77},
        {"\t4294967295", true, 4294967295ul},
        {"4294967296", false, 0},
        {"99999999999999999999999", false, 0},
        {"0", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"12 34", false, 0},
        {"-5", false, 0},
        {"0x10", false, 0},
        {"42abc", false, 0},
        {nullptr, false, 0},
    };
    for (const Case& c : cases) {
        unsigned long id = 7;
        EXPECT_EQ(zrv::companion::parseLoaderId(c.line, id), c.ok) << (c.line ? c.line : "(null)");
        EXPECT_EQ(id, c.ok ? c.id : 7ul) << (c.line ? c.line : "(null)");
    }
    unsigned long back = 0;
    EXPECT_TRUE(zrv::companion::parseLoaderId(
        zrv::companion::loaderIdArgument(4000000000ul).c_str(), back));
    EXPECT_EQ(back, 4000000000ul);
}

// A library reaches the programs of its own bitness and no other, wherever
// its loader runs.
TEST(BindingRules, ALibraryReachesProgramsOfItsOwnBitnessOnly) {
    struct Case {
        const char* where;
        bool library64, selfWow64, targetWow64, reaches;
    };
    const Case cases[] = {
        {"64-bit loader, 64-bit program", true, false, false, true},
        {"64-bit loader, 32-bit program", true, false, true, false},
        {"32-bit companion on 64-bit Windows, 32-bit program", false, true, true, true},
        {"32-bit companion on 64-bit Windows, 64-bit program", false, true, false, false},
        {"32-bit loader on 32-bit Windows, any program", false, false, false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zrv::binding::reachesProgram(c.library64, c.selfWow64, c.targetWow64),
                  c.reaches)
            << c.where;
}

} // namespace
