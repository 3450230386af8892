#pragma once
// Appends little-endian integers to a byte vector, the byte order of every file format the
// generator writes.
#include <cstdint>
#include <vector>

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    void U8(uint32_t v) { bytes_.push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }

private:
    std::vector<uint8_t>& bytes_;
};
