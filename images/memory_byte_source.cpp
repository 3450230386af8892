#include "images/memory_byte_source.h"

#include <cstring>

void MemoryByteSource::Reset(const uint8_t* data, int32_t size) {
    data_ = data;
    size_ = (data && size > 0) ? size : 0;
    cursor_ = 0;
}

int MemoryByteSource::Read(void* buffer, int length) {
    if (length <= 0 || cursor_ >= size_ || cursor_ < 0) return 0;
    const int32_t remaining = size_ - cursor_;
    const int32_t count = length < remaining ? length : remaining;
    std::memcpy(buffer, data_ + cursor_, static_cast<size_t>(count));
    cursor_ += count;
    return count;
}
