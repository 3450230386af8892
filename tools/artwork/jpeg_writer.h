#pragma once
// Baseline JFIF encoding with the system's libjpeg. The same pixels and quality always give
// the same bytes.
#include <cstdint>
#include <vector>

#include "image_types.h"

// Three components, 4:2:0 sampling, baseline Huffman coding. Empty on an encoder failure.
std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality);
