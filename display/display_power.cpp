#include "display/display_power.h"

#include <cstring>

#include "common/unique_handle.h"
#include "display/display_change.h"
#include "display/frame_clock.h"

namespace {

// The console's display: 0 off, 1 on, 2 dimmed. Windows 8 and later.
constexpr GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
// The monitors' power: 0 off, 1 on. What Windows 7 reports.
constexpr GUID MonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr DWORD DisplayStateOff = 0;
constexpr DWORD Windows8Major = 6;
constexpr DWORD Windows8Minor = 2;

UniquePowerNotify DisplayPowerNotice;

// Windows 8 reports each program at most its own version; that is enough to tell 7 from 8.
bool RunsOnWindows8OrLater() {
    OSVERSIONINFOEXW wanted = {};
    wanted.dwOSVersionInfoSize = sizeof wanted;
    wanted.dwMajorVersion = Windows8Major;
    wanted.dwMinorVersion = Windows8Minor;
    DWORDLONG condition = 0;
    condition = VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
    condition = VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION, condition) != FALSE;
}

bool IsDisplayState(const GUID& setting) {
    return IsEqualGUID(setting, ConsoleDisplayState) || IsEqualGUID(setting, MonitorPowerOn);
}

}  // namespace

void WatchDisplayPower(HWND saverWindow) {
    const GUID& setting = RunsOnWindows8OrLater() ? ConsoleDisplayState : MonitorPowerOn;
    DisplayPowerNotice.reset(RegisterPowerSettingNotification(saverWindow, &setting, DEVICE_NOTIFY_WINDOW_HANDLE));
}

void StopWatchingDisplayPower() {
    DisplayPowerNotice.reset();
    PauseForDisplayOff(false);
}

bool FollowDisplayPower(HWND saverWindow, LPARAM setting) {
    const auto* notice = reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    if (!notice || !IsDisplayState(notice->PowerSetting) || notice->DataLength < sizeof(DWORD)) return false;
    DWORD state = 0;
    std::memcpy(&state, notice->Data, sizeof state);
    const bool off = state == DisplayStateOff;
    if (off == DisplayIsOff()) return true;
    PauseForDisplayOff(off);
    if (off) {
        PauseScreenWatch(saverWindow);
        return true;
    }
    // What was left unpainted while it was off is painted now, on the screen as it is now.
    InvalidateRect(saverWindow, nullptr, FALSE);
    ResumeScreenWatch(saverWindow);
    return true;
}
