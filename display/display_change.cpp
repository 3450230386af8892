#include "display/display_change.h"

#include "common/unique_handle.h"
#include "display/display_state.h"
#include "display/display_surfaces.h"
#include "display/monitor_list.h"
#include "images/screen_dpi.h"

namespace {

constexpr UINT_PTR DisplaySettledTimer = 0x5344;
// Long enough for the windows under the saver to repaint themselves once it has stepped aside;
// a mode change blanks the monitors for longer than that anyway.
constexpr UINT DisplaySettleMs = 300;

// What the display is built for and a change of the screen may change.
struct ScreenShape {
    MonitorLayout Layout;
    int BitsPerPixel = 0;
    int Dpi = 0;
};

ScreenShape FollowedShape;
bool AwaitingSettledDisplay = false;

bool SameRect(const PixelRect& a, const PixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

bool SameShape(const ScreenShape& a, const ScreenShape& b) {
    return SameRect(a.Layout.Window, b.Layout.Window) && SameRect(a.Layout.Primary, b.Layout.Primary) &&
           a.Layout.RenderWidth == b.Layout.RenderWidth && a.Layout.RenderHeight == b.Layout.RenderHeight &&
           a.BitsPerPixel == b.BitsPerPixel && a.Dpi == b.Dpi;
}

ScreenShape ReadScreenShape() {
    ScreenShape shape;
    shape.Layout = ReadMonitorLayout();
    WindowDc screen(nullptr);
    if (screen) shape.BitsPerPixel = GetDeviceCaps(screen.get(), BITSPIXEL);
    shape.Dpi = PrimaryMonitorDpi();
    return shape;
}

// Where the window belongs once the display is started: over every monitor when it spans
// them, else over the render area, which is then the primary screen.
RECT FullScreenArea() { return IsRectEmpty(&SpannedScreen) ? RenderRect : SpannedScreen; }

void Rebuild(HWND saverWindow) {
    AwaitingSettledDisplay = false;
    if (!RebuildDisplay(saverWindow)) {
        DestroyWindow(saverWindow);
        return;
    }
    NoteFollowedScreen();
    const RECT area = FullScreenArea();
    // Active again, so that keys reach it, whatever was clicked while it stood aside.
    SetWindowPos(saverWindow, HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top, 0);
    SetWindowRgn(saverWindow, nullptr, TRUE);
    ReleaseCapture();
}

}  // namespace

void NoteFollowedScreen() { FollowedShape = ReadScreenShape(); }

void AwaitSettledDisplay(HWND saverWindow, bool evenIfUnchanged) {
    if (!AwaitingSettledDisplay && !evenIfUnchanged && SameShape(ReadScreenShape(), FollowedShape)) return;
    AwaitingSettledDisplay = true;
    // A snapshot taken with the saver on the screen would show the saver's old pictures again.
    // An empty region uncovers the desktop while the saver stays the active window, and the
    // capture keeps the mouse's moves and clicks its own: they still end it.
    UniqueRegion nothing(CreateRectRgn(0, 0, 0, 0));
    if (nothing && SetWindowRgn(saverWindow, nothing.get(), TRUE)) nothing.release();
    SetCapture(saverWindow);
    // Without the timer the screen would stay uncovered: the rebuild cannot wait then.
    if (!SetTimer(saverWindow, DisplaySettledTimer, DisplaySettleMs, nullptr)) Rebuild(saverWindow);
}

bool FollowSettledDisplay(HWND saverWindow, WPARAM timerId) {
    if (timerId != DisplaySettledTimer) return false;
    KillTimer(saverWindow, DisplaySettledTimer);
    Rebuild(saverWindow);
    return true;
}
