#include "images/transparency_mask.h"

#include <climits>
#include <cstring>

namespace {
constexpr size_t PictureRowAlignment = 4;
constexpr size_t MaskWordBits = 16;
constexpr size_t MaskWordBytes = 2;
constexpr uint8_t HighestBit = 0x80;
}  // namespace

size_t IndexedRowBytes(int width) {
    if (width <= 0) return 0;
    return ((static_cast<size_t>(width) + PictureRowAlignment - 1) / PictureRowAlignment) * PictureRowAlignment;
}

size_t MaskRowBytes(int width) {
    if (width <= 0) return 0;
    return ((static_cast<size_t>(width) + MaskWordBits - 1) / MaskWordBits) * MaskWordBytes;
}

size_t MaskSize(int width, int height) {
    if (height <= 0) return 0;
    return MaskRowBytes(width) * static_cast<size_t>(height);
}

uint8_t BuildTransparencyMask(const uint8_t* pixels, int width, int height, uint8_t* mask) {
    if (width <= 0 || height <= 0) return 0;
    const size_t pictureStride = IndexedRowBytes(width);
    const size_t maskStride = MaskRowBytes(width);
    const uint8_t transparent = pixels[pictureStride * static_cast<size_t>(height - 1)];
    std::memset(mask, 0, maskStride * static_cast<size_t>(height));
    for (size_t row = 0; row < static_cast<size_t>(height); ++row) {
        const uint8_t* source = pixels + pictureStride * row;
        uint8_t* target = mask + maskStride * (static_cast<size_t>(height) - 1 - row);
        for (size_t column = 0; column < static_cast<size_t>(width); ++column) {
            if (source[column] == transparent) target[column / CHAR_BIT] |= HighestBit >> (column % CHAR_BIT);
        }
    }
    return transparent;
}
