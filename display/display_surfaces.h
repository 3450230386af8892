#pragma once
// The display's off-screen surfaces and the Backdrop: started before the saver window
// exists, attached at its creation, captured and darkened at its first erase, and torn
// down at the end of the run.
#include <windows.h>

#include <cstdint>

#include "common/unique_handle.h"
#include "display/display_state.h"

// Render size used in the preview, whatever the size of the host window.
constexpr int32_t PreviewRenderWidth = 640;
constexpr int32_t PreviewRenderHeight = 480;

// Settings, random seed, render size, the two memory surfaces, both capture sections and
// the scene. The full-screen saver renders over every monitor when there are several, and
// over the host's area alone when there is one or when surfaces that large cannot be had.
// False when any of them cannot be had; what was built stays until StopDisplay.
BOOL StartDisplay(HWND host);
// Fixes the output area (and the preview surface), attaches the scene and advances it by
// one frame.
BOOL AttachDisplay(HWND saverWindow);
// At the first erase only: capture, darken, build the palette, compose the first frame and
// start the frame clock.
void PrepareBackdrop(HWND saverWindow, HDC eraseDc);
// The full-screen saver's answer to a changed screen, while its window uncovers it: everything
// that depends on the screen is built afresh at the new size, a new snapshot is darkened at
// once to the user's level, and the show goes on from where it stood. False when the new
// surfaces cannot be had; the display is then stopped.
BOOL RebuildDisplay(HWND saverWindow);
// Releases everything the display holds; may run any number of times, with any window.
void StopDisplay(HWND window);

// A 24-bit bottom-up section of width x height; bits receives its pixel memory (null on
// failure). It is not left selected into dc.
UniqueBitmap CreateCaptureSection(HDC dc, int32_t width, int32_t height, uint8_t** bits);
// Copies the host's picture under the output area into CaptureBitmap, enlarging it to the
// render size in the preview.
void CaptureBackdrop(HDC sourceDc);
