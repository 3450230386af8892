#pragma once
// Device-independent bitmap files: a file header, a 40-byte info header, an optional colour
// table, then bottom-up rows padded to whole 32-bit words.
#include <cstdint>
#include <vector>

#include "image_types.h"

constexpr uint32_t BmpFileHeaderSize = 14;
constexpr uint32_t BmpInfoHeaderSize = 40;

// Bytes per stored row for the given width and bits per pixel.
uint32_t BmpStride(int width, int bitsPerPixel);

// The info header alone (what a bitmap resource or an icon image starts with).
void AppendBmpInfoHeader(std::vector<uint8_t>& bytes, int width, int height, int bitsPerPixel,
                         uint32_t imageBytes, uint32_t coloursUsed);

// 8 bits per pixel with all 256 colour-table entries.
std::vector<uint8_t> EncodeIndexedBmp(const IndexedImage& image);

// 24 bits per pixel, no colour table, stored blue-green-red.
std::vector<uint8_t> EncodeRgbBmp(const RgbImage& image);
