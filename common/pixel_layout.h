#pragma once
// The layouts of the saver's picture buffers, both with rows bottom-up and the bytes of a
// pixel in the order blue, green, red. Decoded pictures, desktop captures and the pictures a
// transition reads hold 24 bits per pixel, each row filled up to a multiple of four bytes. The
// slideshow's front holds 32 (a fourth byte left 0), the screen's own format: drawn to the
// window it goes out as it is, where 24-bit rows would be converted pixel by pixel on every
// paint.
// Platform-free.
#include <cstddef>
#include <cstdint>

inline constexpr int32_t BitsPerPixel24 = 24;
inline constexpr int32_t BytesPerPixel24 = BitsPerPixel24 / 8;
inline constexpr int32_t RowAlignment24 = 4;
inline constexpr int32_t BitsPerPixel32 = 32;
inline constexpr int32_t BytesPerPixel32 = BitsPerPixel32 / 8;

// Bytes per row: width × 3 rounded up to a multiple of 4; 0 when there is no width.
constexpr int32_t RowStride(int32_t width) {
    return width <= 0 ? 0 : (width * BytesPerPixel24 + RowAlignment24 - 1) / RowAlignment24 * RowAlignment24;
}

// Bytes per row of a 32-bit buffer: width × 4, which needs no filler; 0 when there is no width.
constexpr int32_t RowStride32(int32_t width) { return width <= 0 ? 0 : width * BytesPerPixel32; }

// Bytes of a whole 24-bit buffer, filler included; 0 when either side is empty.
constexpr size_t PixelBufferBytes(int32_t width, int32_t height) {
    return height <= 0 ? 0 : static_cast<size_t>(RowStride(width)) * static_cast<size_t>(height);
}
