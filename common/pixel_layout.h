#pragma once
// The one layout of every picture buffer in the saver: decoded pictures, transition buffers
// and desktop captures. 24 bits per pixel in the order blue, green, red, rows bottom-up, each
// row filled up to a multiple of four bytes. Platform-free.
#include <cstddef>
#include <cstdint>

inline constexpr int32_t BitsPerPixel24 = 24;
inline constexpr int32_t BytesPerPixel24 = BitsPerPixel24 / 8;
inline constexpr int32_t RowAlignment24 = 4;

// Bytes per row: width × 3 rounded up to a multiple of 4; 0 when there is no width.
constexpr int32_t RowStride(int32_t width) {
    return width <= 0 ? 0 : (width * BytesPerPixel24 + RowAlignment24 - 1) / RowAlignment24 * RowAlignment24;
}

// Bytes of a whole buffer, filler included; 0 when either side is empty.
constexpr size_t PixelBufferBytes(int32_t width, int32_t height) {
    return height <= 0 ? 0 : static_cast<size_t>(RowStride(width)) * static_cast<size_t>(height);
}
