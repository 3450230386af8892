#pragma once
// Places decoded rows of blue-green-red pixels into a 24-bit bottom-up pixel buffer, from
// the last row in memory upwards, so the picture's first row becomes the top row of the
// bitmap.
#include <cstddef>
#include <cstdint>

#include "common/pixel_layout.h"

class BottomUpRowWriter {
public:
    BottomUpRowWriter(uint8_t* pixels, int width, int height);

    // Copies a whole stride of row into the next row upwards; row must hold at least
    // Stride() bytes. Returns false once every row is written.
    bool WriteRow(const uint8_t* row);

    size_t Stride() const { return stride_; }
    size_t SampleCount() const { return sampleCount_; }

private:
    uint8_t* pixels_;
    uint8_t* position_;
    size_t stride_;
    size_t sampleCount_;
};
