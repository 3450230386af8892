#include "display/display_window_proc.h"

#include "common/dpi_declarations.h"
#include "common/process_state.h"
#include "display/display_change.h"
#include "display/display_power.h"
#include "display/frame_clock.h"
#include "display/display_surfaces.h"
#include "display/painting.h"
#include "display/palette.h"

namespace {

// The only message the saver ever shows. Wide, so that it reads right under any code page.
constexpr const wchar_t* AttachFailedText = L"初期化に失敗しました";
constexpr int AttachFailedQuitCode = -1;
// Tells the platform that the background needs no further erasing.
constexpr LRESULT BackgroundErased = -1;

WNDPROC NextProc = DefWindowProcA;

LRESULT OnCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    if (!AttachDisplay(window)) {
        MessageBoxW(nullptr, AttachFailedText, nullptr, MB_OK);
        StopDisplay(window);
        PostQuitMessage(AttachFailedQuitCode);
    } else if (!PreviewMode && !WindowedMode) {
        WatchDisplayPower(window);
        WatchScreen(window);
    }
    return NextProc(window, WM_CREATE, wParam, lParam);
}

LRESULT OnPaletteChange(HWND window, WPARAM changer) {
    if (reinterpret_cast<HWND>(changer) != window) RefreshPalette(window);
    return 0;
}

}  // namespace

void ChainDisplayWindowProc(WNDPROC next) { NextProc = next ? next : DefWindowProcA; }

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, wParam, lParam);
    case WM_PAINT:
        // Nobody sees it while the display is off; it is painted when the display comes back.
        if (DisplayIsOff())
            ValidateRect(window, nullptr);
        else
            PaintDisplay(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DESTROY:
        StopWatchingDisplayPower();
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE && FollowDisplayPower(window, lParam)) return TRUE;
        break;
    case WM_CLOSE:
        if (CloseApproved || WindowedMode) StopDisplay(window);
        break;
    case WM_DISPLAYCHANGE:
        // The windowed saver and the preview follow their host window instead.
        if (!PreviewMode && !WindowedMode) AwaitSettledDisplay(window, false);
        break;
    case WM_DPICHANGED:
        if (!PreviewMode && !WindowedMode) AwaitSettledDisplay(window, true);
        break;
    case WM_TIMER:
        if (FollowSettledDisplay(window, wParam)) return 0;
        break;
    case WM_ERASEBKGND:
        PrepareBackdrop(window, reinterpret_cast<HDC>(wParam));
        return BackgroundErased;
    case WM_QUERYNEWPALETTE:
        if (!DisplayPalette) return 0;
        RefreshPalette(window);
        return 1;
    case WM_PALETTEISCHANGING:
    case WM_PALETTECHANGED:
        return OnPaletteChange(window, wParam);
    default:
        break;
    }
    return NextProc(window, message, wParam, lParam);
}
