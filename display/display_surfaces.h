#pragma once
// The display's off-screen surfaces and the Backdrop: started before the saver window
// exists, attached at its creation, captured and darkened at its first erase, and torn
// down at the end of the run.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "common/unique_handle.h"
#include "display/memory_surface.h"

class Scene;

// Render size used in the preview, whatever the size of the host window.
constexpr int32_t PreviewRenderWidth = 640;
constexpr int32_t PreviewRenderHeight = 480;

// Settings, random seed, render size, the two memory surfaces, both capture sections and
// the scene. False when any of them cannot be had; what was built stays until StopDisplay.
BOOL StartDisplay(HWND host);
// Fixes the output area (and the preview surface), attaches the scene and advances it by
// one frame.
BOOL AttachDisplay(HWND saverWindow);
// At the first erase only: capture, darken, build the palette, compose the first frame and
// start the frame clock.
void PrepareBackdrop(HWND saverWindow, HDC eraseDc);
// Releases everything the display holds; may run any number of times, with any window.
void StopDisplay(HWND window);

// A 24-bit bottom-up section of width x height; bits receives its pixel memory (null on
// failure). It is not left selected into dc.
UniqueBitmap CreateCaptureSection(HDC dc, int32_t width, int32_t height, uint8_t** bits);
// Copies the host's picture under the output area into CaptureBitmap, enlarging it to the
// render size in the preview.
void CaptureBackdrop(HDC sourceDc);
// Stretches a render-sized picture (the preview surface) onto target's output area.
void StretchRenderToOutput(HDC target, HDC source);
// Deletes both capture sections, which ends the dim-in picture for painting.
void ReleaseCaptureSections();

// Process-wide display state, owned here.
extern std::unique_ptr<Scene> DisplayScene;
extern RECT RenderRect;
extern RECT OutputRect;
extern int32_t RenderWidth;
extern int32_t RenderHeight;
extern MemorySurface WorkDc;
extern MemorySurface BackdropDc;
extern MemorySurface PreviewDc;
extern UniqueBitmap CaptureBitmap;
extern uint8_t* CaptureBits;
extern UniqueBitmap DimmedBitmap;
extern uint8_t* DimmedBits;
extern int CapturePending;
