#include "images/image_source.h"

#include <climits>
#include <cstring>

namespace {
constexpr uintptr_t LargestResourceNumber = 0xFFFF;
}  // namespace

bool IsResourceNumber(const char* source) {
    return reinterpret_cast<uintptr_t>(source) <= LargestResourceNumber;
}

void ImageSourceRecord::Set(const char* source) {
    if (!source) return;
    if (IsResourceNumber(source)) {
        SetNumber(static_cast<uint16_t>(reinterpret_cast<uintptr_t>(source)));
        return;
    }
    std::memset(bytes_, 0, sizeof bytes_);
    std::memcpy(bytes_, source, strnlen(source, MaxSourceNameLength));
}

void ImageSourceRecord::SetNumber(uint16_t number) {
    std::memset(bytes_, 0, sizeof bytes_);
    bytes_[0] = NumberTag;
    bytes_[1] = static_cast<uint8_t>(number);
    bytes_[2] = static_cast<uint8_t>(number >> CHAR_BIT);
}

uint16_t ImageSourceRecord::Number() const {
    return static_cast<uint16_t>(bytes_[1] | (bytes_[2] << CHAR_BIT));
}

const char* ImageSourceRecord::AsResourceName() const {
    if (IsNumber()) return reinterpret_cast<const char*>(static_cast<uintptr_t>(Number()));
    return reinterpret_cast<const char*>(bytes_);
}
