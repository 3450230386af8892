#pragma once
// Darkening of a 24-bit capture buffer: every byte b becomes floor(b * level / 32).
#include <cstddef>
#include <cstdint>

#include "common/pixel_layout.h"

// Scales all stride * height bytes of source into destination, filler bytes included,
// at any width. The level is clamped to 0..32; 32 copies, 0 blackens. Returns 0.
int ScaleBrightness(void* destination, const void* source, int32_t width, int32_t height, int32_t level);

// The same over a plain run of bytes; the buffers may be the same but must not overlap
// otherwise.
void ScaleBrightnessBytes(uint8_t* destination, const uint8_t* source, size_t byteCount, int32_t level);
