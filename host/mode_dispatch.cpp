#include "host/mode_dispatch.h"

namespace {

constexpr int DecimalBase = 10;
constexpr int IgnoredExitCode = 0;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHandleBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSwitchPrefix(char c) { return c == ' ' || c == '-' || c == '/'; }

// Steps over the switch letter and the blanks after it, leaving position where the
// number begins or would begin, and returns the handle when it names a live window.
// A preview switch without a usable host is read again as a password change from where
// its number should have been; when that is the end of the text there is nothing to step
// over, and stepping anyway would read past the terminator.
WindowValue ReadHandle(const char*& position, const ModeDispatchPlatform& platform) {
    if (*position != '\0') ++position;
    while (IsHandleBlank(*position)) ++position;
    const WindowValue handle = ParseDecimal(position);
    if (handle == 0 || !platform.isWindow(handle)) return 0;
    return handle;
}

// The password change exists only on the Windows 95 family; elsewhere it ends quietly.
int ChangePassword(const char* position, const ModeDispatchPlatform& platform) {
    if (!platform.isWin9x) return IgnoredExitCode;
    WindowValue parent = ReadHandle(position, platform);
    if (parent == 0) parent = platform.foregroundWindow();
    return platform.runChangePassword(parent);
}

int Preview(const char* position, const ModeDispatchPlatform& platform) {
    const WindowValue host = ReadHandle(position, platform);
    if (host != 0) return platform.runSaver(host);
    // Without a usable host the switch is read as a password change, from the
    // character where the number should have been.
    return ChangePassword(position, platform);
}

}  // namespace

std::uint32_t ParseDecimal(const char* text) {
    std::uint32_t value = 0;
    for (const char* position = text; IsDigit(*position); ++position) {
        value = value * DecimalBase + static_cast<std::uint32_t>(*position - '0');
    }
    return value;
}

int DispatchCommandTail(const char* tail, const ModeDispatchPlatform& platform) {
    const char* position = tail;
    while (IsSwitchPrefix(*position)) ++position;
    switch (*position) {
    case '\0':
        return platform.showSettingsDialog(0);
    case 'S':
    case 's':
        return platform.runSaver(0);
    case 'W':
    case 'w':
        platform.setModeFlags(1, 0);
        return platform.runSaver(0);
    case 'P':
    case 'p':
        platform.setModeFlags(1, 1);
        return Preview(position, platform);
    case 'C':
    case 'c':
        return platform.showSettingsDialog(platform.foregroundWindow());
    case 'A':
    case 'a':
        return ChangePassword(position, platform);
    default:
        return IgnoredExitCode;
    }
}
