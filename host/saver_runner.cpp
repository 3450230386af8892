#include "host/saver_runner.h"

#include <mmsystem.h>

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "display/display_surfaces.h"
#include "display/display_window_proc.h"
#include "display/frame_clock.h"
#include "host/close_policy.h"
#include "host/class_registration_hook.h"
#include "host/password_providers.h"

HWND SaverWindow = nullptr;
HWND HostWindow = nullptr;
POINT CursorOrigin = {};

namespace {

constexpr char SaverMutexName[] = "SCRNSAVE";
constexpr char SaverClassName[] = "WindowsScreenSaverClass";
constexpr char SaverTitle[] = "Screen Saver";
constexpr UINT TimerResolutionMs = 1;
constexpr DWORD FullScreenStyle = WS_POPUP;
constexpr DWORD FullScreenExStyle = WS_EX_TOPMOST;
constexpr DWORD WindowedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD PreviewStyle = WS_CHILD;

struct WindowPlacement {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// What the teardown of one run needs to know.
struct SaverRun {
    HWND host = nullptr;
    UniqueKernelHandle mutex;
    // The platform reports the previous running state here; nothing reads it.
    BOOL previousRunning = FALSE;
};

WindowPlacement PreviewPlacement(HWND host) {
    RECT client = {};
    GetClientRect(host, &client);
    return {PreviewStyle, 0, 0, 0, client.right, client.bottom};
}

WindowPlacement ScreenPlacement() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (WindowedMode) return {WindowedStyle, 0, 0, 0, width, height};
    return {FullScreenStyle, FullScreenExStyle, 0, 0, width, height};
}

// Once the display is started: over every monitor when it spans them, else as placed.
WindowPlacement CoverDisplay(WindowPlacement placement) {
    if (IsRectEmpty(&SpannedScreen)) return placement;
    placement.x = SpannedScreen.left;
    placement.y = SpannedScreen.top;
    placement.width = SpannedScreen.right - SpannedScreen.left;
    placement.height = SpannedScreen.bottom - SpannedScreen.top;
    return placement;
}

void SetScreenSaverRunning(SaverRun& run, BOOL running) {
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, &run.previousRunning, 0);
}

// Polls so that the frame clock gets a turn before every message; returns the quit code.
// After a wait for the frame that no message ended, the queue needs no second look.
int RunMessageLoop() {
    MSG message = {};
    bool queueEmpty = false;
    for (;;) {
        PumpFrames();
        if (!queueEmpty && PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            const BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got == 0) return static_cast<int>(message.wParam);
            // A failing queue cannot deliver the quit message; end quietly instead of spinning.
            if (got < 0) return 0;
            TranslateMessage(&message);
            DispatchMessageA(&message);
            queueEmpty = YieldTime(0);
        } else {
            queueEmpty = YieldTime(1);
        }
    }
}

// The stretch that the teardown guards: display, window and loop.
int RunGuarded(const SaverRun& run, const WindowPlacement& screenPlacement) {
    timeBeginPeriod(TimerResolutionMs);
    if (!StartDisplay(HostWindow)) return 0;
    const WindowPlacement placement = CoverDisplay(screenPlacement);
    if (RegisterSaverClass()) {
        SaverWindow = CreateWindowExA(placement.exStyle, SaverClassName, SaverTitle, placement.style, placement.x,
                                      placement.y, placement.width, placement.height, run.host, nullptr,
                                      ModuleInstance, nullptr);
    }
    if (!SaverWindow) return 0;
    ShowWindow(SaverWindow, SW_SHOW);
    GetCursorPos(&CursorOrigin);
    const int quitCode = RunMessageLoop();
    SaverWindow = nullptr;
    return quitCode;
}

// Fixed order. The window is still set only when an exception left the guarded stretch.
void Teardown(SaverRun& run) {
    StopDisplay(SaverWindow);
    if (SaverWindow && IsWindow(SaverWindow)) {
        ShowWindow(SaverWindow, SW_HIDE);
        DestroyWindow(SaverWindow);
    }
    SaverWindow = nullptr;
    timeEndPeriod(TimerResolutionMs);
    if (IsWin9x && !run.host) {
        if (!WindowedMode) FreePasswordVerifier();
        SetScreenSaverRunning(run, FALSE);
    }
    if (run.mutex) {
        ReleaseMutex(run.mutex.get());
        run.mutex.reset();
    }
}

}  // namespace

int RunSaver(HWND host) {
    SaverRun run;
    run.host = host;
    WindowPlacement placement;
    if (host) {
        HostWindow = host;
        placement = PreviewPlacement(host);
    } else {
        HostWindow = GetDesktopWindow();
        placement = ScreenPlacement();
        HANDLE mutex = CreateMutexA(nullptr, FALSE, SaverMutexName);
        const DWORD error = GetLastError();
        run.mutex.reset(mutex);
        // Another full-screen or windowed saver runs: leave before anything starts.
        if (!run.mutex || error == ERROR_ALREADY_EXISTS) return 0;
        if (IsWin9x) {
            if (!WindowedMode) LoadPasswordVerifier();
            SetScreenSaverRunning(run, TRUE);
        }
    }
    int quitCode = 0;
    try {
        quitCode = RunGuarded(run, placement);
    } catch (...) {
        Teardown(run);
        throw;
    }
    Teardown(run);
    return quitCode;
}

int RegisterSaverClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_PARENTDC;
    windowClass.lpfnWndProc = SaverClassProc;
    windowClass.hInstance = ModuleInstance;
    windowClass.lpszClassName = SaverClassName;
    // SaverClassProc -> DisplayWindowProc -> ClosePolicyProc -> the default procedure.
    ChainDisplayWindowProc(ClosePolicyProc);
    if (!RegisterClassA(&windowClass)) return 0;
    return ClassRegistrationHook(ModuleInstance);
}
