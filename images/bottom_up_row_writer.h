#pragma once
// Turns decoded red-green-blue rows into a 24-bit bottom-up pixel buffer: each row is
// reordered to blue-green-red and placed from the last row in memory upwards, so the
// picture's first row becomes the top row of the bitmap.
#include <cstddef>
#include <cstdint>

inline constexpr int BytesPerPixel24 = 3;

// Bytes per row of a 24-bit buffer: width × 3 filled up to a multiple of 4.
size_t DibStride24(int width);

// Exchanges the first and third byte of every 3-byte pixel among sampleCount bytes.
void SwapRedBlue(uint8_t* row, size_t sampleCount);

class BottomUpRowWriter {
public:
    BottomUpRowWriter(uint8_t* pixels, int width, int height);

    // Converts row in place and copies a whole stride of it into the next row upwards.
    // row must hold at least Stride() bytes. Returns false once every row is written.
    bool WriteRow(uint8_t* row);

    size_t Stride() const { return stride_; }
    size_t SampleCount() const { return sampleCount_; }

private:
    uint8_t* pixels_;
    uint8_t* position_;
    size_t stride_;
    size_t sampleCount_;
};
