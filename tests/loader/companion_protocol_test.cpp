#include "loader/companion_protocol.h"

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

} // namespace
