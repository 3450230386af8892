#pragma once
// Icon files: a directory of images, each a 32-bit bitmap (blue, green, red, alpha) followed
// by the 1-bit mask that older systems draw with.
#include <cstdint>
#include <vector>

#include "image_types.h"

constexpr uint32_t IconDirectorySize = 6;
constexpr uint32_t IconEntrySize = 16;
constexpr int LargestIconSide = 256;

// Every image must be square with a side of 1..256. Empty if one is not.
std::vector<uint8_t> EncodeIcon(const std::vector<RgbaImage>& images);
