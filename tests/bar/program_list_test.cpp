#include "bar/program_list.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(ProgramList, WritesCountNamesAndCommandLines) {
    ProgramList list;
    list.entries = {{"Notepad", "notepad.exe"}, {"Editor", "\"C:\\Program Files\\e.exe\" a,b"}};
    const std::string text = writeProgramList(list);
    EXPECT_EQ(text, " 2 \r\nNotepad\r\nnotepad.exe\r\nEditor\r\n\"C:\\Program Files\\e.exe\" a,b\r\n");
    ProgramList r;
    ASSERT_FALSE(readProgramList(text, r).failed());
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[1].commandLine, list.entries[1].commandLine);
}

TEST(ProgramList, Failures) {
    static constexpr std::pair<const char*, ErrorNumber> cases[] = {
        {" 0 \r\n", ErrorNumber::None},
        {"", ErrorNumber::InputPastEndOfFile},
        {" 2 \r\na\r\nb\r\nc\r\n", ErrorNumber::InputPastEndOfFile},
        {"two\r\n", ErrorNumber::TypeMismatch},
        {" 201 \r\n", ErrorNumber::SubscriptOutOfRange},
        {"-1 \r\n", ErrorNumber::SubscriptOutOfRange},
        {" 70000 \r\n", ErrorNumber::Overflow},
    };
    for (const auto& [text, error] : cases) {
        ProgramList r;
        EXPECT_EQ(readProgramList(text, r).number(), error) << text;
    }
}

TEST(ProgramList, TwoHundredEntriesFit) {
    std::string text = " 200 \r\n";
    for (int i = 0; i < 200; ++i)
        text += "n\r\nc\r\n";
    ProgramList r;
    ASSERT_FALSE(readProgramList(text, r).failed());
    EXPECT_EQ(r.entries.size(), 200u);
}

} // namespace
} // namespace tessel
