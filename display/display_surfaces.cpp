#include "display/display_surfaces.h"

#include <cstring>
#include <new>

#include "common/process_state.h"
#include "display/dim_in_plan.h"
#include "display/frame_clock.h"
#include "display/palette.h"
#include "display/scale_brightness.h"
#include "images/pixel_section.h"
#include "settings/saver_settings.h"
#include "settings/settings_store.h"
#include "slideshow/random_generator.h"
#include "slideshow/slideshow_scene.h"

std::unique_ptr<Scene> DisplayScene;
RECT RenderRect = {};
RECT OutputRect = {};
int32_t RenderWidth = 0;
int32_t RenderHeight = 0;
MemorySurface WorkDc;
MemorySurface BackdropDc;
MemorySurface PreviewDc;
UniqueBitmap CaptureBitmap;
uint8_t* CaptureBits = nullptr;
UniqueBitmap DimmedBitmap;
uint8_t* DimmedBits = nullptr;
int CapturePending = 1;

namespace {

std::unique_ptr<Scene> CreateScene() { return std::unique_ptr<Scene>(new (std::nothrow) SlideshowScene()); }

size_t CaptureByteCount() { return CaptureStride(RenderWidth) * static_cast<size_t>(RenderHeight); }

}  // namespace

void StretchRenderToOutput(HDC target, HDC source) {
    StretchBlt(target, 0, 0, OutputRect.right, OutputRect.bottom, source, 0, 0, RenderWidth, RenderHeight, SRCCOPY);
}

UniqueBitmap CreateCaptureSection(HDC dc, int32_t width, int32_t height, uint8_t** bits) {
    return CreatePixelSection(dc, width, height, bits);
}

void ReleaseCaptureSections() {
    CaptureBitmap.reset();
    CaptureBits = nullptr;
    DimmedBitmap.reset();
    DimmedBits = nullptr;
}

BOOL StartDisplay(HWND host) {
    LoadSettings();
    ResetRandom();
    SeedRandom(GetTickCount());

    RenderRect = {};
    GetClientRect(host, &RenderRect);
    if (PreviewMode) {
        RenderRect.right = PreviewRenderWidth;
        RenderRect.bottom = PreviewRenderHeight;
    }
    RenderWidth = RenderRect.right;
    RenderHeight = RenderRect.bottom;

    WindowDc hostDc(host);
    if (!hostDc) return FALSE;
    WorkDc.Create(hostDc.get(), RenderWidth, RenderHeight);
    BackdropDc.Create(hostDc.get(), RenderWidth, RenderHeight);
    if (!hostDc.release()) return FALSE;

    DisplayScene = CreateScene();
    if (!DisplayScene) return FALSE;
    DisplayScene->Open(RenderRect, PreviewMode);
    if (!WorkDc || !BackdropDc) return FALSE;

    // Both capture sections are made here rather than at the first erase: a run that
    // cannot have them ends before any window is shown, instead of running a dim-in and a
    // backdrop without pixels.
    CaptureBitmap = CreateCaptureSection(BackdropDc.get(), RenderWidth, RenderHeight, &CaptureBits);
    DimmedBitmap = CreateCaptureSection(BackdropDc.get(), RenderWidth, RenderHeight, &DimmedBits);
    if (!CaptureBitmap || !DimmedBitmap) return FALSE;

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
    StretchBlt(BackdropDc.get(), 0, 0, RenderWidth, RenderHeight, sourceDc, 0, 0, OutputRect.right,
               OutputRect.bottom, SRCCOPY);
    GdiFlush();  // the pixels are read straight from the section next
}

void PrepareBackdrop(HWND saverWindow, HDC eraseDc) {
    if (!DisplayScene || !DisplayScene->IsOpen() || !eraseDc || !CapturePending) return;
    CapturePending = 0;
    if (PreviewMode) ShowWindow(HostWindow, SW_HIDE);

    {
        WindowDc hostDc(HostWindow);
        if (hostDc) CaptureBackdrop(hostDc.get());
    }
    ScaleBrightness(DimmedBits, CaptureBits, RenderWidth, RenderHeight, DimTargetLevel(SaverSettings.Brightness));
    SetUpPalette(saverWindow);
    {
        SelectionGuard dimmed(WorkDc.get(), DimmedBitmap.get());
        BitBlt(BackdropDc.get(), 0, 0, RenderWidth, RenderHeight, WorkDc.get(), 0, 0, SRCCOPY);
    }

    if (PreviewMode) {
        DisplayScene->Compose(PreviewDc.get(), WorkDc.get(), BackdropDc.get());
        StretchRenderToOutput(eraseDc, PreviewDc.get());
    } else {
        DisplayScene->Compose(eraseDc, WorkDc.get(), BackdropDc.get());
    }

    // The dim-in starts from the undimmed desktop.
    if (DimmedBits && CaptureBits) std::memcpy(DimmedBits, CaptureBits, CaptureByteCount());
    ResetFrameClock();
    if (PreviewMode) ShowWindow(HostWindow, SW_SHOW);
}

void StopDisplay(HWND window) {
    DisplayScene.reset();
    if (IsWindow(window)) ReleasePalette(window);
    ReleaseCaptureSections();
    PreviewDc.reset();
    BackdropDc.reset();
    WorkDc.reset();
}
