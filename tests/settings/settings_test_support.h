#pragma once
// Helpers the settings tests under Wine share: the real registry key of the store (from
// stored_settings.h), a second run of this test program in a fresh process, and the dialog
// driven as the user drives it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/settings/stored_settings.h"

// Runs this test program again with only `testName` (a disabled test), the variable `name`
// set to `value`; returns its exit code, or -1 when it could not run or hung.
int RunTestInFreshProcess(const std::string& testName, const char* name, const std::string& value);
// The value of an environment variable, empty when unset.
std::string EnvironmentValue(const char* name);

// Calls `step` with a tick count every few milliseconds from inside whatever message loop
// runs on this thread (a modal dialog's too), until it returns false or the driver goes.
class TimerDriver {
public:
    explicit TimerDriver(std::function<bool(int)> step);
    TimerDriver(const TimerDriver&) = delete;
    TimerDriver& operator=(const TimerDriver&) = delete;
    ~TimerDriver();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::function<bool(int)> step_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
};

// The ways the user ends the modal settings dialog; only OK saves the settings.
struct DialogEnd {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool saves;
};

inline constexpr DialogEnd DialogEnds[] = {
    {"OK", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), true},
    {"Cancel", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), false},
    {"close box", WM_CLOSE, 0, false},
    {"Escape key", WM_KEYDOWN, VK_ESCAPE, false},
};

// Runs the settings dialog modally, as the program does, and returns its end code. While
// it is shown, `whileOpen` is handed the dialog every few milliseconds; a dialog still open
// after about two seconds is ended by the test with the code 99.
INT_PTR RunSettingsDialog(const std::function<void(HWND dialog)>& whileOpen);

// Opens the settings dialog modelessly, shown and painted; pictureArea receives the client
// rectangle of the sample's placeholder. Null when it cannot be created.
HWND OpenPaintedSettingsDialog(RECT& pictureArea);

// The pixels of the bitmap selected into dc, top-down rows of 0x00RRGGBB.
std::vector<uint32_t> ReadDcPixels(HDC dc, int width, int height);
// What the dialog shows where its sample goes, the placeholder's client size from the
// placeholder's corner, read back from the dialog's window as ReadDcPixels gives it.
std::vector<uint32_t> ReadShownSample(HWND dialog);

// A visible dialog window of this thread other than `except`, or null.
HWND FindThreadDialog(HWND except = nullptr);
// Dispatches what is queued for this thread, through `dialog`'s keyboard handling.
void PumpMessages(HWND dialog);

// The key of the store, cleared before and after each test: the prefix's registry lasts.
class SettingsKeyTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteSettingsKey(); }
    void TearDown() override { DeleteSettingsKey(); }
};
