#pragma once
// Marks for repainting only what a frame tick changed on the saver window.
#include <windows.h>

// Takes the scene's changes and invalidates them on window (without erasing): the whole
// window when wholeWindow is set or in the preview, which is stretched from the whole
// render. Returns false when nothing changed and so nothing needs painting.
bool InvalidateSceneChanges(HWND window, bool wholeWindow);
