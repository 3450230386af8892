#pragma once
// The decision taken on the command-line tail: which runner the process hands control
// to, which mode flags it raises first, and which exit code it returns. The platform's
// answers and the runners come in through ModeDispatchPlatform so that the decision
// itself needs no window system.
#include <cstdint>
#include <functional>

// A window handle as the command line and the platform give it.
using WindowValue = std::uintptr_t;

struct ModeDispatchPlatform {
    int isWin9x = 0;
    std::function<bool(WindowValue window)> isWindow;
    std::function<WindowValue()> foregroundWindow;
    // Records WindowedMode and PreviewMode; called only when a switch raises them.
    std::function<void(int windowedMode, int previewMode)> setModeFlags;
    std::function<int(WindowValue parent)> showSettingsDialog;
    std::function<int(WindowValue host)> runSaver;
    std::function<int(WindowValue parent)> runChangePassword;
};

// Reads decimal digits from the start of text into a value that wraps modulo 2^32.
// Any other character ends the number; no digit at all gives 0.
std::uint32_t ParseDecimal(const char* text);

// Dispatches on the first character of tail that is not ' ', '-' or '/' and returns
// the exit code: the called runner's result, or 0 when the switch is not understood.
int DispatchCommandTail(const char* tail, const ModeDispatchPlatform& platform);
