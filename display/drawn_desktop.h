#pragma once
// The desktop drawn from what it is made of, without any window on it. Where the saver runs on
// a desktop of its own, whose snapshot shows nothing of the user's, this is what the user
// knows as their desktop.
#include <windows.h>

#include <cstdint>

#include "display/desktop_look.h"

// Draws look into canvas, a drawing context of width x height whose top-left lies at origin
// on the screen: the background colour everywhere, then each monitor's wallpaper as its style
// places it. A wallpaper that cannot be read, or COM that cannot be started, leaves the
// colour alone.
void DrawDesktopLook(HDC canvas, int32_t width, int32_t height, POINT origin, const DesktopLook& look);
// The same for the user's desktop as its settings are now.
void DrawDesktop(HDC canvas, int32_t width, int32_t height, POINT origin);
