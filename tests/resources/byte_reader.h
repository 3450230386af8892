#pragma once
// Reads little-endian fields back out of the files the artwork writers produce.
#include <cstdint>
#include <vector>

inline uint32_t ReadU16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

inline uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
    return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16;
}

inline int32_t ReadI32(const std::vector<uint8_t>& bytes, size_t at) { return static_cast<int32_t>(ReadU32(bytes, at)); }
