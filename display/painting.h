#pragma once
// Puts a frame on the saver window: the dimmed capture during the dim-in, the scene's
// current frame after it, stretched from the render size in the preview.
#include <windows.h>

// givenDc is WM_PAINT's first parameter: when set, it is painted into without
// BeginPaint and EndPaint.
void PaintDisplay(HWND window, HDC givenDc);
