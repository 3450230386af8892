#pragma once
// The cross-fade blend at step s of 32, from two 24-bit sources (3 bytes a pixel: blue, green,
// red) into a 32-bit front (4 bytes a pixel, the fourth left 0). Every colour byte is blended
// by itself:
//   front = (from * (256 - 8s) + target * 8s) >> 8,  s = 0..32,
// which is the same as (from * (32 - s) + target * s) >> 5. It runs at memory speed with SSSE3,
// or AVX2 where the processor has it; every path gives exactly these bytes.
#include <cstddef>
#include <cstdint>

// Step 32 completes every effect, the blend at its full weight; later steps copy the whole
// target.
constexpr int32_t LastEffectStep = 32;

// Blends with the widest path this processor offers; steps above 32 count as 32.
void FadePixels(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step);

// Widens 24-bit pixels to 32-bit ones, the fourth byte 0: what the blend's last step shows.
void WidenPixels(uint8_t* front, const uint8_t* source, size_t pixelCount);

// The individual paths, for callers that must pick one (measurements and checks).
void FadePixelsPortable(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step);
void FadePixelsSsse3(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step);
void FadePixelsAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step);
bool CpuHasSsse3();
bool CpuHasAvx2();
