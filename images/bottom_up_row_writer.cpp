#include "images/bottom_up_row_writer.h"

#include <cstring>

BottomUpRowWriter::BottomUpRowWriter(uint8_t* pixels, int width, int height)
    : pixels_(pixels),
      position_(pixels),
      stride_(static_cast<size_t>(RowStride(width))),
      sampleCount_(width > 0 ? static_cast<size_t>(width) * BytesPerPixel24 : 0) {
    if (pixels && height > 0) position_ = pixels + stride_ * static_cast<size_t>(height);
}

bool BottomUpRowWriter::WriteRow(const uint8_t* row) {
    if (!pixels_ || position_ == pixels_) return false;
    position_ -= stride_;
    std::memcpy(position_, row, stride_);
    return true;
}
