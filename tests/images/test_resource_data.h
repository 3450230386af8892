#pragma once
// The contents of the images test resources, shared by their generator (native) and the
// Wine tests that check what comes back out of the executable.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace test_resources {

inline constexpr size_t TenBytesSize = 10;
inline constexpr size_t BlockSize = 4096;
inline constexpr size_t RandomSize = 6000;

// Byte i of the plain byte resources.
inline uint8_t PlainByte(size_t i) { return static_cast<uint8_t>(i * 7 + 3); }

// The colour picture: 64 × 48, bands of 16 rows, top to bottom.
inline constexpr int ColourWidth = 64;
inline constexpr int ColourHeight = 48;
inline constexpr uint32_t ColourBands[] = {0xFF0000, 0x00FF00, 0x0000FF};

// The narrow-stride picture: 341 × 6, each row one flat grey-free colour.
inline constexpr int NarrowWidth = 341;
inline constexpr int NarrowHeight = 6;

inline constexpr int GreyWidth = 40;
inline constexpr int GreyHeight = 24;

// The 3 × 2 indexed picture as seen on screen: top row 7, 7, 2 and bottom row 7, 1, 7.
inline constexpr int IndexedWidth = 3;
inline constexpr int IndexedHeight = 2;
inline constexpr uint8_t IndexedTopRow[] = {7, 7, 2};
inline constexpr uint8_t IndexedBottomRow[] = {7, 1, 7};
// Colour-table entry i of the indexed picture, as red, green, blue.
inline uint8_t TableRed(int i) { return static_cast<uint8_t>(i); }
inline uint8_t TableGreen(int i) { return static_cast<uint8_t>(255 - i); }
inline uint8_t TableBlue(int i) { return static_cast<uint8_t>(i * 3 + 1); }

inline constexpr int TrueColourWidth = 4;
inline constexpr int TrueColourHeight = 3;

}  // namespace test_resources
