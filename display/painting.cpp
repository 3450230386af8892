#include "display/painting.h"

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "display/display_state.h"
#include "display/palette.h"
#include "images/logical_palette.h"
#include "slideshow/scene.h"

namespace {

void PaintDimmedCapture(HDC target) {
    SelectionGuard dimmed(WorkDc.get(), DimmedBitmap.get());
    if (PreviewMode) {
        BitBlt(PreviewDc.get(), 0, 0, RenderWidth, RenderHeight, WorkDc.get(), 0, 0, SRCCOPY);
        StretchRenderToOutput(target, PreviewDc.get());
    } else {
        BitBlt(target, 0, 0, OutputRect.right, OutputRect.bottom, WorkDc.get(), 0, 0, SRCCOPY);
    }
}

void PaintSceneFrame(HWND window, HDC target) {
    DisplayScene->PrePaint(WorkDc.get(), BackdropDc.get());
    if (PreviewMode) {
        DisplayScene->Paint(GetDesktopWindow(), PreviewDc.get(), WorkDc.get(), BackdropDc.get());
        StretchRenderToOutput(target, PreviewDc.get());
    } else {
        DisplayScene->Paint(window, target, WorkDc.get(), BackdropDc.get());
    }
}

void PaintFrame(HWND window, HDC target) {
    // The preview draws through its own surface; without one there is nothing to show.
    if (PreviewMode && !PreviewDc) return;
    // The target gets its own palette back once the frame is drawn, so that no context
    // outside the display keeps a palette that StopDisplay deletes.
    SelectionGuard palette;
    if (DisplayPalette) RealizePaletteIn(target, DisplayPalette.get(), palette);
    if (PreviewMode) {
        SetBrushOrgEx(target, 0, 0, nullptr);
        SetStretchBltMode(target, DisplayPalette ? COLORONCOLOR : HALFTONE);
    }
    if (CaptureBitmap) {
        PaintDimmedCapture(target);
    } else {
        PaintSceneFrame(window, target);
    }
}

}  // namespace

void PaintDisplay(HWND window, HDC givenDc) {
    PAINTSTRUCT paint = {};
    HDC target = givenDc;
    const bool beganPaint = target == nullptr;
    if (beganPaint) target = BeginPaint(window, &paint);
    if (target && DisplayScene && DisplayScene->IsOpen()) PaintFrame(window, target);
    if (beganPaint) EndPaint(window, &paint);
    GdiFlush();
}
