#pragma once
// The 1-bit transparency mask of an 8-bit indexed picture: a bit is 1 where the pixel has
// the colour of the picture's top-left pixel.
#include <cstddef>
#include <cstdint>

// Bytes per row of the 8-bit picture (bottom-up, rows filled up to 4 bytes).
size_t IndexedRowBytes(int width);
// Bytes per row of the mask (top-down, whole 16-bit words).
size_t MaskRowBytes(int width);
size_t MaskSize(int width, int height);

// Fills mask (MaskSize bytes) from the bottom-up picture and returns the transparent
// index, the top-left pixel: the first byte of the last row in memory.
uint8_t BuildTransparencyMask(const uint8_t* pixels, int width, int height, uint8_t* mask);
