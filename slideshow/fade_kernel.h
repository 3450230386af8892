#pragma once
// The cross-fade blend over raw bytes at step s of 32. Every byte is blended by itself:
//   front[k] = (from[k] * (256 - 8s) + target[k] * 8s) >> 8,  s = 0..32,
// which is the same as (from[k] * (32 - s) + target[k] * s) >> 5. It runs at memory speed
// with SSE2, or AVX2 where the processor has it; both paths give exactly these bytes.
#include <cstddef>
#include <cstdint>

constexpr uint32_t FadeStepCount = 32;

// Blends with the widest path this processor offers; steps above 32 count as 32.
void FadeBytes(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step);

// The individual paths, for callers that must pick one (measurements and checks).
void FadeBytesSse2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step);
void FadeBytesAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step);
bool CpuHasAvx2();
