#pragma once
// The 256-colour logical palette through which 8-bit displays show the pictures, for the
// full-screen display and the settings dialog alike: made from a picture's colour table,
// realized into the contexts that draw with it, and realized again after another window
// changed the system palette.
#include <windows.h>

#include "common/unique_handle.h"

inline constexpr int PaletteEntryCount = 256;

// True when dc's display shows its colours through a palette.
bool IsPaletteDisplay(HDC dc);
// A palette of the PaletteEntryCount entries; null when the platform refuses it.
UniquePalette CreateLogicalPalette(const PALETTEENTRY* entries);
// Selects the palette into dc in the foreground and realizes it there; the guard form
// keeps what it displaced, to be selected back.
void RealizePaletteIn(HDC dc, HPALETTE palette);
void RealizePaletteIn(HDC dc, HPALETTE palette, SelectionGuard& selection);
// Maps the palette anew onto the system palette in the window's context.
void RefreshPaletteIn(HWND window, HPALETTE palette);
