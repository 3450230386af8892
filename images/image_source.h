#pragma once
// Where an image loads from: a resource name of at most 255 characters or a 16-bit
// resource number, in the platform's convention (a "pointer" of 0xFFFF or less is a
// number). Stored in 256 bytes: a name as zero-ended text, a number as the byte 1
// followed by the number, least significant byte first. No source is the number 0.
#include <cstdint>

inline constexpr int ImageSourceBytes = 256;
inline constexpr int MaxSourceNameLength = ImageSourceBytes - 1;

class ImageSourceRecord {
public:
    ImageSourceRecord() { SetNumber(0); }

    // Null changes nothing; a longer name keeps its first 255 characters.
    void Set(const char* source);

    bool IsNumber() const { return bytes_[0] == NumberTag; }
    uint16_t Number() const;
    bool HasSource() const { return !IsNumber() || Number() != 0; }
    // The source as the platform's resource functions take it.
    const char* AsResourceName() const;

    const uint8_t* Bytes() const { return bytes_; }

private:
    static constexpr uint8_t NumberTag = 1;
    void SetNumber(uint16_t number);

    uint8_t bytes_[ImageSourceBytes] = {};
};

// True when a resource-name argument holds a number rather than pointing to text.
bool IsResourceNumber(const char* source);
