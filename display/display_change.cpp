#include "display/display_change.h"

#include "common/unique_handle.h"
#include "display/display_state.h"
#include "display/display_surfaces.h"

namespace {

constexpr UINT_PTR DisplaySettledTimer = 0x5344;
// Long enough for the windows under the saver to repaint themselves once it has stepped aside;
// a mode change blanks the monitors for longer than that anyway.
constexpr UINT DisplaySettleMs = 300;

// Where the window belongs once the display is started: over every monitor when it spans
// them, else over the render area, which is then the primary screen.
RECT FullScreenArea() { return IsRectEmpty(&SpannedScreen) ? RenderRect : SpannedScreen; }

}  // namespace

void AwaitSettledDisplay(HWND saverWindow) {
    // A snapshot taken with the saver on the screen would show the saver's old pictures again.
    // An empty region uncovers the desktop while the saver stays the active window: hidden, it
    // would hand the keyboard, and the keys meant to end it, to another program.
    UniqueRegion nothing(CreateRectRgn(0, 0, 0, 0));
    if (nothing && SetWindowRgn(saverWindow, nothing.get(), TRUE)) nothing.release();
    SetTimer(saverWindow, DisplaySettledTimer, DisplaySettleMs, nullptr);
}

bool FollowSettledDisplay(HWND saverWindow, WPARAM timerId) {
    if (timerId != DisplaySettledTimer) return false;
    KillTimer(saverWindow, DisplaySettledTimer);
    if (!RebuildDisplay(saverWindow)) {
        DestroyWindow(saverWindow);
        return true;
    }
    const RECT area = FullScreenArea();
    SetWindowPos(saverWindow, HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
    SetWindowRgn(saverWindow, nullptr, TRUE);
    return true;
}
