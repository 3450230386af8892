#pragma once
// The one pixel layout that decoded pictures, transition buffers and desktop captures share:
// a device-independent section of 24 bits per pixel, blue-green-red, rows bottom-up, each row
// filled to a multiple of four bytes.
#include <windows.h>

#include <cstdint>

#include "common/unique_handle.h"

// Creates such a section of width x height against dc (which may be empty) and hands out its
// pixel memory through bits. On failure both come back empty.
UniqueBitmap CreatePixelSection(HDC dc, int32_t width, int32_t height, uint8_t** bits);
