#include "display/secure_desktop.h"

#include "common/unique_handle.h"
#include "display/display_state.h"
#include "display/drawn_desktop.h"

namespace {

// The names Windows has given the desktop: its own, and the one its documentation uses.
constexpr const wchar_t* SecureSaverDesktopNames[] = {L"Screen-saver", L"ScreenSaver"};

}  // namespace

bool RunsOnSecureSaverDesktop() {
    // The thread's desktop handle is not to be closed.
    HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
    wchar_t name[64] = {};
    DWORD needed = 0;
    if (!desktop || !GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name - sizeof name[0], &needed)) {
        return false;
    }
    for (const wchar_t* secureName : SecureSaverDesktopNames) {
        if (lstrcmpiW(name, secureName) == 0) return true;
    }
    return false;
}

void DrawDesktopIntoCapture() {
    if (!BackdropDc || !CaptureBitmap) return;
    SelectionGuard capture(BackdropDc.get(), CaptureBitmap.get());
    // The render area's top-left on the screen: the virtual screen's when spanning, else (0, 0).
    DrawDesktop(BackdropDc.get(), RenderWidth, RenderHeight, {SpannedScreen.left, SpannedScreen.top});
}
