#include <gtest/gtest.h>

#include "tests/settings/settings_test_support.h"

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "images/memory_surface.h"
#include "resources/resource_ids.h"
#include "settings/settings_dialog.h"

#include <string>
#include <utility>

namespace {

constexpr DWORD ChildTimeoutMs = 60000;
constexpr UINT TickMs = 30;
constexpr int GiveUpTick = 60;
constexpr INT_PTR GaveUp = 99;
TimerDriver* CurrentDriver = nullptr;

struct DialogSearch {
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (window != search->except && IsWindowVisible(window) && std::string(className) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string EnvironmentValue(const char* name) {
    char value[256] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

int RunTestInFreshProcess(const std::string& testName, const char* name, const std::string& value) {
    char path[MAX_PATH] = {};
    if (!GetModuleFileNameA(nullptr, path, MAX_PATH)) return -1;
    std::string commandLine =
        std::string("\"") + path + "\" --gtest_also_run_disabled_tests --gtest_filter=" + testName;
    if (!SetEnvironmentVariableA(name, value.c_str())) return -1;

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    UniqueKernelHandle processHandle(process.hProcess);
    UniqueKernelHandle threadHandle(process.hThread);
    DWORD exitCode = 0;
    if (WaitForSingleObject(processHandle.get(), ChildTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(processHandle.get(), 1);
        return -1;
    }
    if (!GetExitCodeProcess(processHandle.get(), &exitCode)) return -1;
    return static_cast<int>(exitCode);
}

TimerDriver::TimerDriver(std::function<bool(int)> step) : step_(std::move(step)) {
    CurrentDriver = this;
    timer_ = SetTimer(nullptr, 0, TickMs, &TimerDriver::Tick);
}

TimerDriver::~TimerDriver() {
    if (timer_) KillTimer(nullptr, timer_);
    CurrentDriver = nullptr;
}

void CALLBACK TimerDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TimerDriver* driver = CurrentDriver;
    if (!driver || !driver->timer_) return;
    if (!driver->step_(driver->ticks_++)) {
        KillTimer(nullptr, driver->timer_);
        driver->timer_ = 0;
    }
}

INT_PTR RunSettingsDialog(const std::function<void(HWND dialog)>& whileOpen) {
    TimerDriver driver([&](int tick) {
        HWND dialog = FindThreadDialog();
        if (dialog) whileOpen(dialog);
        if (tick == GiveUpTick && dialog) EndDialog(dialog, GaveUp);
        return tick < GiveUpTick;
    });
    return DialogBoxParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
}

std::vector<uint32_t> ReadDcPixels(HDC dc, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    GetDIBits(dc, static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)), 0, height, pixels.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

std::vector<uint32_t> ReadShownSample(HWND dialog) {
    HWND placeholder = GetDlgItem(dialog, IDC_PICTURE);
    RECT area{}, placed{};
    GetClientRect(placeholder, &area);
    GetWindowRect(placeholder, &placed);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&placed), 2);
    WindowDc dialogDc(dialog);
    MemorySurface copy;
    if (!copy.Create(dialogDc.get(), area.right, area.bottom)) return {};
    BitBlt(copy.get(), 0, 0, area.right, area.bottom, dialogDc.get(), placed.left, placed.top, SRCCOPY);
    return ReadDcPixels(copy.get(), area.right, area.bottom);
}

HWND OpenPaintedSettingsDialog(RECT& pictureArea) {
    HWND dialog = CreateDialogParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
    if (!dialog) return nullptr;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    GetClientRect(GetDlgItem(dialog, IDC_PICTURE), &pictureArea);
    return dialog;
}

HWND FindThreadDialog(HWND except) {
    DialogSearch search{except, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PumpMessages(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
