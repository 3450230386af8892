#pragma once
// Pictures made by the tests themselves: simple patterns encoded to JPEG with the native
// library, and a plain reference decode to compare the system's decode against.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

struct TestPicture {
    int Width = 0;
    int Height = 0;
    int Components = 3;                 // 1 grey, 3 red-green-blue, 4 CMYK
    J_COLOR_SPACE ColorSpace = JCS_RGB;  // of the samples below
    std::vector<uint8_t> Samples;       // top-down, interleaved, Width × Components per row
};

// A deterministic pattern: a smooth gradient plus a per-seed twist.
TestPicture MakePatternPicture(int width, int height, int components, uint32_t seed);
// Flat colours in blocks of 16 × 16 pixels, so a high-quality encode decodes almost exactly.
TestPicture MakeBlockPicture(int width, int height, const std::vector<uint32_t>& rgbPerBlockRow);

struct EncodeOptions {
    int Quality = 90;
    bool Progressive = false;
};
std::vector<uint8_t> EncodeJpeg(const TestPicture& picture, const EncodeOptions& options = {});

// A stream of quantisation and Huffman tables with no picture in it.
std::vector<uint8_t> EncodeTablesOnly();

// The library's own decode with default parameters: top-down rows of output_components.
struct ReferenceDecode {
    bool Ok = false;
    int Width = 0;
    int Height = 0;
    int Components = 0;
    std::vector<uint8_t> Samples;
};
ReferenceDecode DecodeReference(const std::vector<uint8_t>& jpeg, J_COLOR_SPACE outColorSpace = JCS_UNKNOWN);

// Offset of the first byte after the start-of-scan header: where entropy-coded data begins.
size_t EntropyDataOffset(const std::vector<uint8_t>& jpeg);
