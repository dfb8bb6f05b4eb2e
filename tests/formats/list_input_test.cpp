#include "formats/list_input.h"

#include <gtest/gtest.h>

#include <utility>

namespace tessel {
namespace {

struct Int16Case {
    const char* text;
    int expected;   // when error is None
    ErrorNumber error;
};

TEST(ListInput, ReadsSixteenBitNumbers) {
    static constexpr Int16Case cases[] = {
        {" 120 \r\n", 120, ErrorNumber::None},
        {"-45 \r\n", -45, ErrorNumber::None},
        {"  7", 7, ErrorNumber::None},
        {"32767\r\n", 32767, ErrorNumber::None},
        {"-32768\r\n", -32768, ErrorNumber::None},
        {"32768\r\n", 0, ErrorNumber::Overflow},
        {" 40000 \r\n", 0, ErrorNumber::Overflow},
        {"-32769\r\n", 0, ErrorNumber::Overflow},
        {"2.5\r\n", 2, ErrorNumber::None},   // ties go to the even neighbour
        {"3.5\r\n", 4, ErrorNumber::None},
        {"-1.6\r\n", -2, ErrorNumber::None},
        {"32767.4\r\n", 32767, ErrorNumber::None},
        {"32767.5\r\n", 0, ErrorNumber::Overflow},
        {"1e3\r\n", 1000, ErrorNumber::None},
        {"12,13\r\n", 12, ErrorNumber::None},
        {"\r\n", 0, ErrorNumber::None},      // an empty line reads as zero
        {"abc\r\n", 0, ErrorNumber::TypeMismatch},
        {"12x\r\n", 0, ErrorNumber::TypeMismatch},
        {"inf\r\n", 0, ErrorNumber::TypeMismatch},
        {"0x10\r\n", 0, ErrorNumber::TypeMismatch},
        {"1e400\r\n", 0, ErrorNumber::Overflow},  // beyond any real: too large
        {"-1e400\r\n", 0, ErrorNumber::Overflow},
        {"1e-400\r\n", 0, ErrorNumber::None},     // too small to tell from zero
        {"", 0, ErrorNumber::InputPastEndOfFile},
    };
    for (const auto& c : cases) {
        ListInput in(c.text, "f.txt");
        int16_t v = -1;
        RunError e = in.readInt16(v);
        EXPECT_EQ(e.number(), c.error) << c.text;
        if (c.error == ErrorNumber::None) {
            EXPECT_EQ(v, c.expected) << c.text;
        }
    }
}

TEST(ListInput, NumberEndsAtBlankCommaOrLineEnd) {
    // "1 2" on one line: the blank ends the first number, the second follows.
    ListInput in(" 1 2\r\n3,4\r\n 5   \r\n6", "f");
    int expected[] = {1, 2, 3, 4, 5, 6};
    for (int want : expected) {
        int16_t v = 0;
        ASSERT_FALSE(in.readInt16(v).failed());
        EXPECT_EQ(v, want);
    }
    int16_t v;
    EXPECT_EQ(in.readInt16(v).number(), ErrorNumber::InputPastEndOfFile);
}

TEST(ListInput, TrailingBlanksAfterANumberDoNotMakeAnEmptyValue) {
    // The designer writes " 120 " lines: the next read must get line 2.
    ListInput in(" 120 \r\n-45 \r\nname\r\n", "f");
    int16_t a = 0, b = 0;
    std::string s;
    ASSERT_FALSE(in.readInt16(a).failed());
    ASSERT_FALSE(in.readInt16(b).failed());
    ASSERT_FALSE(in.readText(s).failed());
    EXPECT_EQ(a, 120);
    EXPECT_EQ(b, -45);
    EXPECT_EQ(s, "name");
    EXPECT_TRUE(in.atEnd());
}

TEST(ListInput, ReadsTextValues) {
    static constexpr std::pair<const char*, const char*> cases[] = {
        {"hello world\r\n", "hello world"},
        {"   lead\r\n", "lead"},
        {"a,b\r\n", "a"},
        {"\"quoted, text\"\r\n", "quoted, text"},
        {"\"quoted\" rest\r\n", "quoted"},
        {"\"unclosed\r\n", "unclosed"},
        {"\r\n", ""},
        {"True", "True"},
    };
    for (const auto& [text, expected] : cases) {
        ListInput in(text, "f");
        std::string s = "x";
        ASSERT_FALSE(in.readText(s).failed()) << text;
        EXPECT_EQ(s, expected) << text;
    }
}

TEST(ListInput, TextAfterCommaIsTheNextValue) {
    ListInput in("a,b\r\nc\n", "f");
    std::string x, y, z;
    ASSERT_FALSE(in.readText(x).failed());
    ASSERT_FALSE(in.readText(y).failed());
    ASSERT_FALSE(in.readText(z).failed());
    EXPECT_EQ(x + y + z, "abc");
    EXPECT_EQ(in.readText(x).number(), ErrorNumber::InputPastEndOfFile);
}

TEST(ListInput, ThirtyTwoBitRangeAndNegativeColours) {
    ListInput in("-2147483633\r\n2147483647\r\n2147483648\r\n", "f");
    int32_t a = 0, b = 0, c = 0;
    ASSERT_FALSE(in.readInt32(a).failed());
    ASSERT_FALSE(in.readInt32(b).failed());
    EXPECT_EQ(a, -2147483633); // 0x8000000F, a system colour
    EXPECT_EQ(b, 2147483647);
    EXPECT_EQ(in.readInt32(c).number(), ErrorNumber::Overflow);
}

TEST(ListInput, FailuresNameFileAndLine) {
    ListInput in("1\r\n2\r\n", "skinsettings.tsl");
    int16_t v;
    ASSERT_FALSE(in.readInt16(v).failed());
    ASSERT_FALSE(in.readInt16(v).failed());
    RunError e = in.readInt16(v);
    EXPECT_EQ(e.code(), 62);
    EXPECT_EQ(e.report(),
              "Error 62 has occured, Input past end of file (skinsettings.tsl, line 3)");
    EXPECT_EQ(e.reportOnLines(), "Error 62\r\nInput past end of file (skinsettings.tsl, line 3)\r\n");
}

TEST(ListInput, WholeLineKeepsCommasAndQuotes) {
    ListInput in("\"C:\\Program Files\\x.exe\" -a,b\r\nnext", "f");
    std::string s;
    ASSERT_FALSE(in.readLine(s).failed());
    EXPECT_EQ(s, "\"C:\\Program Files\\x.exe\" -a,b");
    ASSERT_FALSE(in.readLine(s).failed());
    EXPECT_EQ(s, "next");
}

} // namespace
} // namespace tessel
