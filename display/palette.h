#pragma once
// The 256-colour palette of 8-bit displays, built once from the scene's palette picture and
// selected into every drawing context the display uses.
#include <windows.h>

#include "common/unique_handle.h"

// Null on displays that are not 8-bit.
extern UniquePalette DisplayPalette;

// Builds the palette on an 8-bit display (once) and selects it everywhere; on later calls
// only selects and realizes it in the window's context.
void SetUpPalette(HWND window);
// Realizes the palette again after another window changed the system palette.
void RefreshPalette(HWND window);
// Gives every context its own palette back, restores the static system colours when a
// palette was built, and deletes the palette.
void ReleasePalette(HWND window);
