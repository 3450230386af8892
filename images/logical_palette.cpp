#include "images/logical_palette.h"

namespace {

constexpr WORD LogicalPaletteVersion = 0x300;
constexpr int PaletteDisplayDepth = 8;

// The platform's logical-palette header followed by all entries.
struct PaletteRecord {
    WORD Version = LogicalPaletteVersion;
    WORD EntryCount = PaletteEntryCount;
    PALETTEENTRY Entries[PaletteEntryCount] = {};
};

}  // namespace

bool IsPaletteDisplay(HDC dc) { return GetDeviceCaps(dc, BITSPIXEL) == PaletteDisplayDepth; }

UniquePalette CreateLogicalPalette(const PALETTEENTRY* entries) {
    PaletteRecord record;
    for (int i = 0; i < PaletteEntryCount; ++i) record.Entries[i] = entries[i];
    return UniquePalette(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&record)));
}

void RealizePaletteIn(HDC dc, HPALETTE palette) {
    SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
}

void RealizePaletteIn(HDC dc, HPALETTE palette, SelectionGuard& selection) {
    selection.Select(dc, palette);
    RealizePalette(dc);
}

void RefreshPaletteIn(HWND window, HPALETTE palette) {
    WindowDc windowDc(window);
    if (!windowDc) return;
    UnrealizeObject(palette);
    RealizePaletteIn(windowDc.get(), palette);
}
