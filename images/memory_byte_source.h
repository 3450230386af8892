#pragma once
// A ByteSource over a read-only block of bytes that someone else keeps alive.
#include <cstdint>

#include "images/byte_source.h"

class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource() = default;
    MemoryByteSource(const uint8_t* data, int32_t size) { Reset(data, size); }

    // Starts reading a new block from its first byte; null data or size 0 is an empty block.
    void Reset(const uint8_t* data, int32_t size);
    int Read(void* buffer, int length) override;

private:
    const uint8_t* data_ = nullptr;
    int32_t size_ = 0;
    int32_t cursor_ = 0;
};
