#include "host/entry.h"

#include "common/process_state.h"
#include "host/class_registration_hook.h"
#include "host/mode_dispatch.h"
#include "host/password_providers.h"
#include "host/saver_runner.h"
#include "resources/resource_ids.h"
#include "settings/settings_dialog.h"

HINSTANCE ModuleInstance = nullptr;
int IsWin9x = 0;
int WindowedMode = 0;
int PreviewMode = 0;

namespace {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version query expects the 148-byte record");

// A failed query counts as a platform outside the Windows 95 family.
int QueryWin9x() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version)) return 0;
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

HWND ToWindow(WindowValue value) { return reinterpret_cast<HWND>(value); }

WindowValue ToValue(HWND window) { return reinterpret_cast<WindowValue>(window); }

ModeDispatchPlatform RealPlatform() {
    ModeDispatchPlatform platform;
    platform.isWin9x = IsWin9x;
    platform.isWindow = [](WindowValue window) { return IsWindow(ToWindow(window)) != FALSE; };
    platform.foregroundWindow = [] { return ToValue(GetForegroundWindow()); };
    platform.setModeFlags = [](int windowedMode, int previewMode) {
        WindowedMode = windowedMode;
        PreviewMode = previewMode;
    };
    platform.showSettingsDialog = [](WindowValue parent) { return ShowSettingsDialog(ToWindow(parent)); };
    platform.runSaver = [](WindowValue host) { return RunSaver(ToWindow(host)); };
    platform.runChangePassword = [](WindowValue parent) { return RunChangePassword(ToWindow(parent)); };
    return platform;
}

}  // namespace

int SaverEntry(HINSTANCE instance, const char* tail) {
    ModuleInstance = instance;
    IsWin9x = QueryWin9x();
    return DispatchCommandTail(tail != nullptr ? tail : "", RealPlatform());
}

int ShowSettingsDialog(HWND parent) {
    ClassRegistrationHook(ModuleInstance);
    // The wide variant keeps the dialog's Japanese texts intact under any code page.
    return static_cast<int>(
        DialogBoxParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), parent, SettingsDialogProc, 0));
}
