// The full-screen saver while the system turns the display off: with a hold of 0 its
// transitions run without a pause, yet from the notice that the display is off until the one
// that it is back (dimmed counts as back) the screen stands still; then the show moves again,
// and a key still ends the saver with 0.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/unique_handle.h"
#include "slideshow/transition_kernels.h"
#include "tests/display/display_test_support.h"
#include "tests/host/saver_process.h"
#include "tests/settings/stored_settings.h"

namespace {

constexpr DWORD DisplayOff = 0;
constexpr DWORD DisplayDimmed = 2;
constexpr DWORD MovingTimeoutMs = 10000;
constexpr DWORD StillWatchMs = 1500;
// The console display's state, as Windows 8 and later report it.
constexpr GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

std::vector<uint8_t> ReadScreen() {
    WindowDc dc(nullptr);
    return ReadPixels(dc.get(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

double ProcessCpuSeconds(HANDLE process) {
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(process, &creation, &exit, &kernel, &user)) return 0;
    const auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

bool ScreenMoves() {
    const std::vector<uint8_t> before = ReadScreen();
    Sleep(200);
    return ReadScreen() != before;
}

// The notice as Windows sends it: the setting's record lies in the receiving process.
bool SendDisplayState(HWND window, DWORD state) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    UniqueKernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) return false;
    POWERBROADCAST_SETTING notice = {};
    notice.PowerSetting = ConsoleDisplayState;
    notice.DataLength = sizeof state;
    std::memcpy(notice.Data, &state, sizeof state);
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof notice, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return false;
    DWORD_PTR answer = 0;
    const bool sent = WriteProcessMemory(process.get(), remote, &notice, sizeof notice, nullptr) &&
                      SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                          reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, ExitTimeoutMs, &answer);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return sent && answer == TRUE;
}

TEST(DisplayPower, NothingIsDrawnWhileTheDisplayIsOff) {
    WriteStoredSettings(4, BlockEffect, 0);
    SaverProcess saver(SaverPath(), "/s");
    const HWND window = saver.FindSaverWindow(nullptr, StartTimeoutMs);
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitFor(ScreenMoves, MovingTimeoutMs)) << "the show never moves";

    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    ASSERT_TRUE(SendDisplayState(window, DisplayOff));
    const std::vector<uint8_t> atOff = ReadScreen();
    const double cpuAtOff = ProcessCpuSeconds(process.get());
    WaitFor([] { return false; }, StillWatchMs);
    // A figure to read, not a bound: the saver's processor time while the display is off.
    std::printf("cpu while the display is off: %.3f s per s\n",
                (ProcessCpuSeconds(process.get()) - cpuAtOff) * 1000.0 / StillWatchMs);
    EXPECT_TRUE(ReadScreen() == atOff) << "the screen changed while the display was off";

    ASSERT_TRUE(SendDisplayState(window, DisplayDimmed));
    EXPECT_TRUE(WaitFor(ScreenMoves, MovingTimeoutMs)) << "the show does not go on when the display is back";
    PressSpace();
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), 0L);
    DeleteSettingsKey();
}

}  // namespace
