#pragma once
// Repaints only what a frame tick changed on the saver window.
#include <windows.h>

#include <span>

#include "common/pixel_rect.h"

// Takes the scene's changes, invalidates them on window (without erasing) and paints them
// at once, in a few groups whose regions stay simple: the whole window when wholeWindow is
// set or in the preview, which is stretched from the whole render. Nothing is painted when
// nothing changed.
void RepaintSceneChanges(HWND window, bool wholeWindow);

// While a group of a tick's changes is painted through paintDc (from BeginPaint) and the
// paint may draw exactly those, nothing exposed besides and nothing covered, the changed
// rectangles: painting them one by one costs only their own pixels, where one paint through
// the whole update region costs the pixels of its bounding box. Empty otherwise.
std::span<const PixelRect> TickChangesToPaint(HWND window, HDC paintDc);
