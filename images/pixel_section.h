#pragma once
// Device-independent sections in the saver's pixel layouts (common/pixel_layout.h): 24 bits
// per pixel for decoded pictures and desktop captures, 32 for the transition buffers.
#include <windows.h>

#include <cstdint>

#include "common/pixel_layout.h"
#include "common/unique_handle.h"

// Creates such a section of width x height at bitsPerPixel (BitsPerPixel24 or BitsPerPixel32)
// against dc (which may be empty) and hands out its pixel memory through bits. On failure both
// come back empty.
UniqueBitmap CreatePixelSection(HDC dc, int32_t width, int32_t height, int32_t bitsPerPixel, uint8_t** bits);
