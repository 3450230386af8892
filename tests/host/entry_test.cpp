// The entry function in the test process, with tails longer than the platform would ever
// pass to a new process: the whole path from the command line to the exit code.
#include <gtest/gtest.h>

#include <string>

#include "common/process_state.h"
#include "host/command_tail.h"
#include "host/entry.h"
#include "tests/host/long_tail.h"

namespace {

constexpr std::size_t LongTailLength = 100000;

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(Entry, TailsOfAHundredThousandCharactersEndAtOnceWithZero) {
    for (const LongTailCase& c : LongTailCases) {
        const std::string commandLine = "\"C:\\Screen Savers\\slide.scr\" " + LongTail(c, LongTailLength);
        const char* tail = ExtractCommandTail(commandLine.c_str());
        EXPECT_EQ(SaverEntry(GetModuleHandleA(nullptr), tail), 0) << c.name;
        EXPECT_EQ(ThreadWindowCount(), 0) << c.name;
        WindowedMode = PreviewMode = 0;
    }
}

}  // namespace
