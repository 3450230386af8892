#pragma once
// 8-bit bitmap resources read straight from their bytes, rather than through the Image
// code under test, and the palette such a picture must give; the state of a 256-colour screen.
#include <windows.h>

#include <cstdint>
#include <vector>

// An 8-bit picture with 256 colours; empty (width 0) when the resource is missing, is not
// such a picture or is cut short.
struct IndexedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<RGBQUAD> ColourTable;
    std::vector<uint8_t> TopDownIndices;  // row by row from the top, Width per row

    uint8_t At(int x, int y) const { return TopDownIndices[static_cast<size_t>(y) * Width + x]; }
    // The index of the top-left pixel, the picture's transparent colour.
    uint8_t TransparentIndex() const { return At(0, 0); }
};
IndexedPicture ReadIndexedBitmapResource(int id);

// One palette entry packed as red | green << 8 | blue << 16 | flags << 24, so that a
// mismatch prints readably.
using PackedEntry = uint32_t;

// The 256 entries made from bitmap resource `id` of this executable: each colour-table
// entry with PC_NOCOLLAPSE, and the entry of the transparent colour all zero. Empty when
// the resource cannot be read as an IndexedPicture.
std::vector<PackedEntry> PaletteOfBitmapResource(int id);

// The 256 entries of a logical palette, empty when it has fewer.
std::vector<PackedEntry> LogicalPaletteEntries(HPALETTE palette);

// Whether the screen has 8 bits per pixel, where the palette tests run.
bool OnPaletteDisplay();
// The system palette use seen through a context of `window` (the screen when null).
UINT SystemPaletteUse(HWND window = nullptr);
void SetSystemPaletteUseFor(HWND window, UINT use);

// The palette messages a window of this system answers: its own announcements are ignored
// (else realizing would start another round), another window's change and gaining the
// focus make it realize again; only WM_QUERYNEWPALETTE reports 1.
struct PaletteMessageCase {
    const char* what;
    UINT message;
    bool fromItself;
    LRESULT result;
};

inline constexpr PaletteMessageCase PaletteMessageCases[] = {
    {"changed by itself", WM_PALETTECHANGED, true, 0},
    {"changing by itself", WM_PALETTEISCHANGING, true, 0},
    {"changed by another", WM_PALETTECHANGED, false, 0},
    {"changing by another", WM_PALETTEISCHANGING, false, 0},
    {"gaining the focus", WM_QUERYNEWPALETTE, false, 1},
};
