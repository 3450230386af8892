#include "images/bottom_up_row_writer.h"

#include <cstring>
#include <utility>

namespace {
constexpr size_t RowAlignment = 4;
}

size_t DibStride24(int width) {
    if (width <= 0) return 0;
    return ((static_cast<size_t>(width) * BytesPerPixel24 + RowAlignment - 1) / RowAlignment) * RowAlignment;
}

void SwapRedBlue(uint8_t* row, size_t sampleCount) {
    for (size_t i = 0; i + 2 < sampleCount; i += BytesPerPixel24) std::swap(row[i], row[i + 2]);
}

BottomUpRowWriter::BottomUpRowWriter(uint8_t* pixels, int width, int height)
    : pixels_(pixels),
      position_(pixels),
      stride_(DibStride24(width)),
      sampleCount_(width > 0 ? static_cast<size_t>(width) * BytesPerPixel24 : 0) {
    if (pixels && height > 0) position_ = pixels + stride_ * static_cast<size_t>(height);
}

bool BottomUpRowWriter::WriteRow(uint8_t* row) {
    if (!pixels_ || position_ == pixels_) return false;
    SwapRedBlue(row, sampleCount_);
    position_ -= stride_;
    std::memcpy(position_, row, stride_);
    return true;
}
