#include "host/command_tail.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TailCase {
    const char* name;
    const char* commandLine;
    const char* expectedTail;
};

const TailCase TailCases[] = {
    {"quoted path with blank", "\"C:\\Program Files\\slide.scr\" /s", "/s"},
    {"quoted path glued to switch", "\"C:\\a b\\slide.scr\"/p 1234", "/p 1234"},
    {"unquoted path", "C:\\slide.scr /p 1234", "/p 1234"},
    {"path only", "slide.scr", ""},
    {"quoted path only", "\"slide.scr\"", ""},
    {"path and trailing blanks", "slide.scr \t ", ""},
    {"empty command line", "", ""},
    {"quote never closed", "\"C:\\never closed /s", ""},
    {"tab ends unquoted path", "slide.scr\t/c", "/c"},
    {"control characters skipped", "\"x\" \x01\x1f\t/s", "/s"},
    {"line starting with blanks", "   /s", "/s"},
    {"blanks inside the tail kept", "slide.scr  /p \t 12", "/p \t 12"},
    // Bytes from 128 up belong to the path (multi-byte file names), not to the blanks.
    {"high bytes part of path", "sl\xe9\xa0ide.scr /a", "/a"},
    {"empty quoted path", "\"\" /w", "/w"},
};

class CommandTailTest : public testing::TestWithParam<TailCase> {};

TEST_P(CommandTailTest, SkipsProgramPathAndBlanks) {
    const TailCase& c = GetParam();
    EXPECT_EQ(std::string(ExtractCommandTail(c.commandLine)), c.expectedTail) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Lines, CommandTailTest, testing::ValuesIn(TailCases));

TEST(CommandTail, TailPointsIntoTheGivenLine) {
    const char* line = "\"slide.scr\" /s";
    EXPECT_EQ(ExtractCommandTail(line), line + 12);
}

TEST(CommandTail, MissingLineGivesEmptyTail) {
    EXPECT_EQ(std::string(ExtractCommandTail(nullptr)), "");
}

}  // namespace
