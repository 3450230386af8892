// The saver runner in the test process, with a few platform calls of this executable
// redirected through its import table so that their order can be read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/process_state.h"
#include "host/saver_runner.h"
#include "tests/import_redirect.h"

namespace {

std::vector<std::string> Calls;

MMRESULT WINAPI RecordBeginPeriod(UINT period) {
    Calls.push_back("begin period " + std::to_string(period));
    return TIMERR_NOERROR;
}
MMRESULT WINAPI RecordEndPeriod(UINT period) {
    Calls.push_back("end period " + std::to_string(period));
    return TIMERR_NOERROR;
}
BOOL WINAPI RecordParameter(UINT action, UINT value, PVOID, UINT) {
    if (action == SPI_SETSCREENSAVERRUNNING) Calls.push_back("running " + std::to_string(value));
    return TRUE;
}
// No drawing context for anyone: the display cannot start.
HDC WINAPI RefuseDc(HWND) { return nullptr; }

struct Redirect {
    const char* library;
    const char* name;
    void* replacement;
    void* original;
};

// A full-screen run on the Windows 95 family whose display cannot start still ends the
// timer resolution and lowers the running flag it raised, in that order.
TEST(SaverRunner, FailedDisplayStartStillRunsTheTeardown) {
    Redirect redirects[] = {
        {"WINMM.dll", "timeBeginPeriod", reinterpret_cast<void*>(RecordBeginPeriod), nullptr},
        {"WINMM.dll", "timeEndPeriod", reinterpret_cast<void*>(RecordEndPeriod), nullptr},
        {"USER32.dll", "SystemParametersInfoA", reinterpret_cast<void*>(RecordParameter), nullptr},
        {"USER32.dll", "GetDC", reinterpret_cast<void*>(RefuseDc), nullptr},
    };
    for (Redirect& r : redirects) {
        r.original = RedirectImport(r.library, r.name, r.replacement);
        ASSERT_NE(r.original, nullptr) << r.name;
    }
    IsWin9x = 1;
    WindowedMode = 0;
    Calls.clear();
    const int exitCode = RunSaver(nullptr);
    for (const Redirect& r : redirects) RedirectImport(r.library, r.name, r.original);

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(SaverWindow, nullptr);
    const std::vector<std::string> expected = {"running 1", "begin period 1", "end period 1", "running 0"};
    EXPECT_EQ(Calls, expected);
}

}  // namespace
