#include "tests/images/bitmap_resource_palette.h"

#include <cstring>

#include "common/process_state.h"
#include "common/unique_handle.h"

namespace {

constexpr int EntryCount = 256;
constexpr int PaletteDisplayDepth = 8;
constexpr WORD IndexedBitCount = 8;

PackedEntry Pack(BYTE red, BYTE green, BYTE blue, BYTE flags) {
    return red | green << 8 | blue << 16 | static_cast<PackedEntry>(flags) << 24;
}

}  // namespace

IndexedPicture ReadIndexedBitmapResource(int id) {
    HRSRC found = FindResourceA(ModuleInstance, MAKEINTRESOURCEA(id), RT_BITMAP);
    if (!found) return {};
    const size_t size = SizeofResource(ModuleInstance, found);
    HGLOBAL loaded = LoadResource(ModuleInstance, found);
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) return {};

    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof header);
    const DWORD tableCount = header.biClrUsed ? header.biClrUsed : EntryCount;
    if (header.biBitCount != IndexedBitCount || tableCount != EntryCount || header.biWidth <= 0 ||
        header.biHeight <= 0) {
        return {};
    }
    const size_t tableOffset = header.biSize;
    const size_t pixelOffset = tableOffset + tableCount * sizeof(RGBQUAD);
    const size_t stride = (static_cast<size_t>(header.biWidth) + 3) / 4 * 4;
    if (pixelOffset + stride * header.biHeight > size) return {};

    IndexedPicture picture;
    picture.Width = header.biWidth;
    picture.Height = header.biHeight;
    picture.ColourTable.resize(tableCount);
    std::memcpy(picture.ColourTable.data(), bytes + tableOffset, tableCount * sizeof(RGBQUAD));
    // Rows run bottom-up in the resource.
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = bytes + pixelOffset + stride * (picture.Height - 1 - y);
        picture.TopDownIndices.insert(picture.TopDownIndices.end(), row, row + picture.Width);
    }
    return picture;
}

std::vector<PackedEntry> PaletteOfBitmapResource(int id) {
    const IndexedPicture picture = ReadIndexedBitmapResource(id);
    if (picture.Width == 0) return {};
    std::vector<PackedEntry> entries;
    for (size_t i = 0; i < picture.ColourTable.size(); ++i) {
        const RGBQUAD& colour = picture.ColourTable[i];
        entries.push_back(i == picture.TransparentIndex()
                              ? 0
                              : Pack(colour.rgbRed, colour.rgbGreen, colour.rgbBlue, PC_NOCOLLAPSE));
    }
    return entries;
}

std::vector<PackedEntry> LogicalPaletteEntries(HPALETTE palette) {
    PALETTEENTRY read[EntryCount] = {};
    if (!palette || GetPaletteEntries(palette, 0, EntryCount, read) != EntryCount) return {};
    std::vector<PackedEntry> entries;
    for (const PALETTEENTRY& entry : read) entries.push_back(Pack(entry.peRed, entry.peGreen, entry.peBlue, entry.peFlags));
    return entries;
}

bool OnPaletteDisplay() {
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), BITSPIXEL) == PaletteDisplayDepth;
}

UINT SystemPaletteUse(HWND window) {
    WindowDc dc(window);
    return GetSystemPaletteUse(dc.get());
}

void SetSystemPaletteUseFor(HWND window, UINT use) {
    WindowDc dc(window);
    SetSystemPaletteUse(dc.get(), use);
}
