#pragma once
// The cross-fade blend over raw bytes. Every byte is blended by itself:
//   front[k] = (from[k] * (256 - weight) + target[k] * weight) >> 8,  weight 0..256.
// It runs at memory speed with SSE2, or AVX2 where the processor has it; both paths give
// exactly the bytes of the formula.
#include <cstddef>
#include <cstdint>

constexpr uint32_t FullFadeWeight = 256;

// Blends with the widest path this processor offers.
void FadeBytes(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight);

// The individual paths, for callers that must pick one (measurements and checks).
void FadeBytesSse2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight);
void FadeBytesAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight);
bool CpuHasAvx2();
