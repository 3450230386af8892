#pragma once
// Repaints only what a frame tick changed on the saver window.
#include <windows.h>

// Takes the scene's changes, invalidates them on window (without erasing) and paints them
// at once, in a few groups whose regions stay simple: the whole window when wholeWindow is
// set or in the preview, which is stretched from the whole render. Nothing is painted when
// nothing changed.
void RepaintSceneChanges(HWND window, bool wholeWindow);
