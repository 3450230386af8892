#include "display/display_surfaces.h"

#include <cstring>
#include <new>

#include "common/process_state.h"
#include "display/dim_in_plan.h"
#include "display/frame_clock.h"
#include "display/monitor_list.h"
#include "display/palette.h"
#include "display/scale_brightness.h"
#include "display/secure_desktop.h"
#include "images/picture_scale.h"
#include "images/pixel_section.h"
#include "images/screen_dpi.h"
#include "settings/saver_settings.h"
#include "settings/settings_store.h"
#include "slideshow/random_generator.h"
#include "slideshow/slideshow_scene.h"

namespace {

std::unique_ptr<SlideshowScene> CreateScene() {
    return std::unique_ptr<SlideshowScene>(new (std::nothrow) SlideshowScene());
}

size_t CaptureByteCount() { return PixelBufferBytes(RenderWidth, RenderHeight); }

// Steps after the seed, for one render area: the memory surfaces, the scene with its
// pictures placed inside pictureArea, and both capture sections. A scene without pixels
// counts as a failure only when the caller asks for them.
BOOL StartSurfaces(HWND host, const RECT& renderArea, const RECT& pictureArea, bool needsScenePixels) {
    RenderRect = renderArea;
    RenderWidth = RenderRect.right;
    RenderHeight = RenderRect.bottom;

    WindowDc hostDc(host);
    if (!hostDc) return FALSE;
    WorkDc.reset(CreateCompatibleDC(hostDc.get()));
    const bool backdropMade = BackdropDc.Create(hostDc.get(), RenderWidth, RenderHeight);
    if (!hostDc.release()) return FALSE;

    std::unique_ptr<SlideshowScene> scene = CreateScene();
    if (!scene) return FALSE;
    scene->Open(RenderRect, PreviewMode);
    scene->PlacePicturesIn(pictureArea);
    // The preview keeps its own scale, whatever the screen's.
    scene->ScalePicturesTo(PreviewMode ? UnscaledDpi : PrimaryMonitorDpi());
    const bool sceneHasPixels = scene->Surface().Width() > 0;
    DisplayScene = std::move(scene);
    if (!WorkDc || !backdropMade) return FALSE;

    // Both capture sections are made here rather than at the first erase: a run that
    // cannot have them ends before any window is shown, instead of running a dim-in and a
    // backdrop without pixels.
    CaptureBitmap = CreateCaptureSection(BackdropDc.get(), RenderWidth, RenderHeight, &CaptureBits);
    DimmedBitmap = CreateCaptureSection(BackdropDc.get(), RenderWidth, RenderHeight, &DimmedBits);
    if (!CaptureBitmap || !DimmedBitmap) return FALSE;
    return sceneHasPixels || !needsScenePixels ? TRUE : FALSE;
}

RECT ToRect(const PixelRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// The full-screen saver spans every monitor when there are several; the surfaces then grow
// with the virtual screen. When they cannot be had at that size, it covers the primary
// monitor alone, as on a single monitor.
BOOL StartSpanningSurfaces(HWND host, const MonitorLayout& layout) {
    SpannedScreen = ToRect(layout.Window);
    const RECT renderArea = {0, 0, layout.RenderWidth, layout.RenderHeight};
    if (StartSurfaces(host, renderArea, ToRect(layout.Primary), true)) return TRUE;
    StopDisplay(nullptr);
    SpannedScreen = {};
    return FALSE;
}

// The surfaces for the screen as it is now: the full-screen saver spans every monitor when
// there are several; otherwise, and when that cannot be had, the render area is the host's.
BOOL StartScreenSurfaces(HWND host) {
    SpannedScreen = {};
    if (!PreviewMode && !WindowedMode) {
        const MonitorLayout layout = ReadMonitorLayout();
        if (SpansBeyondPrimary(layout) && StartSpanningSurfaces(host, layout)) return TRUE;
    }

    RECT hostArea = {};
    GetClientRect(host, &hostArea);
    if (PreviewMode) {
        hostArea.right = PreviewRenderWidth;
        hostArea.bottom = PreviewRenderHeight;
    }
    return StartSurfaces(host, hostArea, hostArea, false);
}

// The display always animates the slideshow that StartSurfaces made.
SlideshowScene& Slideshow() { return static_cast<SlideshowScene&>(*DisplayScene); }

// The host's picture, darkened at once to the user's level, into the backdrop surface; the
// first start's dim-in then shows the capture level by level down to it. Where the host's
// picture cannot show the user's desktop, the desktop is drawn in its place.
void TakeDimmedBackdrop(HWND saverWindow) {
    if (!PreviewMode && !WindowedMode && RunsOnSecureSaverDesktop()) {
        DrawDesktopIntoCapture();
    } else {
        WindowDc hostDc(HostWindow);
        if (hostDc) CaptureBackdrop(hostDc.get());
    }
    ScaleBrightness(DimmedBits, CaptureBits, RenderWidth, RenderHeight, DimTargetLevel(SaverSettings.Brightness));
    SetUpPalette(saverWindow);
    SelectionGuard dimmed(WorkDc.get(), DimmedBitmap.get());
    BitBlt(BackdropDc.get(), 0, 0, RenderWidth, RenderHeight, WorkDc.get(), 0, 0, SRCCOPY);
}

}  // namespace

UniqueBitmap CreateCaptureSection(HDC dc, int32_t width, int32_t height, uint8_t** bits) {
    return CreatePixelSection(dc, width, height, BitsPerPixel24, bits);
}

BOOL StartDisplay(HWND host) {
    LoadSettings();
    ResetRandom();
    SeedRandom(GetTickCount());
    if (!StartScreenSurfaces(host)) return FALSE;
    StopFrameClock();
    return TRUE;
}

BOOL AttachDisplay(HWND saverWindow) {
    if (!DisplayScene) return FALSE;
    WindowDc windowDc(saverWindow);
    if (!windowDc) return FALSE;
    if (!PreviewMode) {
        OutputRect = RenderRect;
    } else if (!PreviewDc) {
        GetClientRect(saverWindow, &OutputRect);
        if (!PreviewDc.Create(windowDc.get(), RenderWidth, RenderHeight)) return FALSE;
    }
    if (!windowDc.release()) return FALSE;
    DisplayScene->Attach(saverWindow, OutputRect);
    DisplayScene->Advance(1);
    DisplayScene->Idle();
    return TRUE;
}

void CaptureBackdrop(HDC sourceDc) {
    if (!BackdropDc || !CaptureBitmap) return;
    SelectionGuard capture(BackdropDc.get(), CaptureBitmap.get());
    // The desktop's drawing context has the primary monitor's top-left at (0, 0), so screen
    // coordinates address every monitor in it.
    StretchBlt(BackdropDc.get(), 0, 0, RenderWidth, RenderHeight, sourceDc, SpannedScreen.left, SpannedScreen.top,
               OutputRect.right, OutputRect.bottom, SRCCOPY);
    GdiFlush();  // the pixels are read straight from the section next
}

void PrepareBackdrop(HWND saverWindow, HDC eraseDc) {
    if (!DisplayScene || !DisplayScene->IsOpen() || !eraseDc || !CapturePending) return;
    CapturePending = 0;
    if (PreviewMode) ShowWindow(HostWindow, SW_HIDE);
    TakeDimmedBackdrop(saverWindow);

    if (PreviewMode) {
        DisplayScene->Compose(PreviewDc.get(), WorkDc.get(), BackdropDc.get());
        StretchRenderToOutput(eraseDc, PreviewDc.get());
    } else {
        DisplayScene->Compose(eraseDc, WorkDc.get(), BackdropDc.get());
    }
    // The scene holds its own copy of the backdrop from here on.
    BackdropDc.ReleaseBitmap();

    // The dim-in starts from the undimmed desktop.
    if (DimmedBits && CaptureBits) std::memcpy(DimmedBits, CaptureBits, CaptureByteCount());
    ResetFrameClock();
    if (PreviewMode) ShowWindow(HostWindow, SW_SHOW);
}

BOOL RebuildDisplay(HWND saverWindow) {
    if (!DisplayScene) return FALSE;
    const SlideshowPosition position = Slideshow().Position();
    // The old surfaces go first, so that the new ones never have to fit beside them.
    StopDisplay(saverWindow);
    if (!StartScreenSurfaces(HostWindow) || Slideshow().Surface().Width() == 0) return FALSE;
    if (!AttachDisplay(saverWindow)) return FALSE;
    // Before the first erase there is nothing to carry over: that erase captures as at start.
    if (CapturePending) return TRUE;
    TakeDimmedBackdrop(saverWindow);
    Slideshow().Resume(position, WorkDc.get(), BackdropDc.get());
    BackdropDc.ReleaseBitmap();
    ReleaseCaptureSections();
    EndDimIn();
    ResetFrameClock();
    return TRUE;
}

void StopDisplay(HWND window) {
    DisplayScene.reset();
    if (IsWindow(window)) ReleasePalette(window);
    ReleaseCaptureSections();
    PreviewDc.reset();
    BackdropDc.reset();
    WorkDc.reset();
}
