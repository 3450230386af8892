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
// The platform drops a change's notice that the saver has not taken within a time limit (a
// busy moment, a rebuild that outlasts it), so the screen is also looked at this often.
constexpr UINT_PTR ScreenWatchTimer = 0x5345;
constexpr UINT ScreenWatchMs = 1000;

// What the display is built for and a change of the screen may change.
struct ScreenShape {
    MonitorLayout Layout;
    int BitsPerPixel = 0;
    int Dpi = 0;
};

ScreenShape FollowedShape;
bool AwaitingSettledDisplay = false;
bool WatchingScreen = false;

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
    const ScreenShape builtFor = ReadScreenShape();
    if (!RebuildDisplay(saverWindow)) {
        DestroyWindow(saverWindow);
        return;
    }
    FollowedShape = builtFor;
    const RECT area = FullScreenArea();
    // Active again, so that keys reach it, whatever was clicked while it stood aside.
    SetWindowPos(saverWindow, HWND_TOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top, 0);
    SetWindowRgn(saverWindow, nullptr, TRUE);
    ReleaseCapture();
}

}  // namespace

void WatchScreen(HWND saverWindow) {
    FollowedShape = ReadScreenShape();
    WatchingScreen = true;
    SetTimer(saverWindow, ScreenWatchTimer, ScreenWatchMs, nullptr);
}

void PauseScreenWatch(HWND saverWindow) { KillTimer(saverWindow, ScreenWatchTimer); }

void ResumeScreenWatch(HWND saverWindow) {
    if (!WatchingScreen) return;
    SetTimer(saverWindow, ScreenWatchTimer, ScreenWatchMs, nullptr);
    AwaitSettledDisplay(saverWindow, false);
}

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
    if (timerId == ScreenWatchTimer) {
        if (!AwaitingSettledDisplay) AwaitSettledDisplay(saverWindow, false);
        return true;
    }
    if (timerId != DisplaySettledTimer) return false;
    KillTimer(saverWindow, DisplaySettledTimer);
    Rebuild(saverWindow);
    return true;
}
