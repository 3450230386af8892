#include "slideshow/fade_kernel.h"

#include <immintrin.h>

namespace {

constexpr unsigned FadeShift = 5;
constexpr unsigned ByteBits = 8;
constexpr size_t SseBytes = 16;
constexpr size_t AvxBytes = 32;

uint32_t ClampStep(uint32_t step) { return step > FadeStepCount ? FadeStepCount : step; }

void FadeTail(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step) {
    const uint32_t remaining = FadeStepCount - step;
    for (size_t k = 0; k < count; ++k)
        front[k] = static_cast<uint8_t>((from[k] * remaining + target[k] * step) >> FadeShift);
}

// SSE2 has no byte multiply-add, so the blend is from + floor((target - from) * s / 32).
// The difference is scaled by 128 and the step by 16 so that one signed high multiply per
// 16-bit lane gives the floor: (d * 128) * (s * 16) >> 16 == floor(d * s / 32), with both
// factors inside 16 bits (|d * 128| <= 32640, s * 16 <= 512).
constexpr int DifferenceScaleShift = 7;
constexpr uint32_t SseStepScale = 16;

inline __m128i BlendHalfSse2(__m128i from16, __m128i target16, __m128i step16) {
    const __m128i difference = _mm_slli_epi16(_mm_sub_epi16(target16, from16), DifferenceScaleShift);
    return _mm_add_epi16(from16, _mm_mulhi_epi16(difference, step16));
}

// Returns the number of bytes it handled: all whole blocks of 16.
size_t FadeBlocksSse2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i step16 = _mm_set1_epi16(static_cast<short>(step * SseStepScale));
    size_t k = 0;
    for (; k + SseBytes <= count; k += SseBytes) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + k));
        const __m128i low = BlendHalfSse2(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), step16);
        const __m128i high = BlendHalfSse2(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), step16);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(front + k), _mm_packus_epi16(low, high));
    }
    return k;
}

// AVX2 multiplies bytes directly: from and target are interleaved into pairs and one
// multiply-add per pair gives from * (32 - s) + target * s (at most 8160, no saturation).
// Unpacking and packing both work within each 128-bit lane, so the bytes come back in
// their original order. Everything stays in registers: some Windows compilers do not
// align the stack for 32-byte spills.
__attribute__((target("avx2"))) size_t FadeBlocksAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target,
                                                      size_t count, uint32_t step) {
    const __m256i weights = _mm256_set1_epi16(static_cast<short>((step << ByteBits) | (FadeStepCount - step)));
    size_t k = 0;
    for (; k + AvxBytes <= count; k += AvxBytes) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + k));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target + k));
        const __m256i low = _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpacklo_epi8(a, b), weights), FadeShift);
        const __m256i high = _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpackhi_epi8(a, b), weights), FadeShift);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(front + k), _mm256_packus_epi16(low, high));
    }
    return k;
}

using FadeBytesKernel = void (*)(uint8_t*, const uint8_t*, const uint8_t*, size_t, uint32_t);

}  // namespace

bool CpuHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

void FadeBytesSse2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step) {
    step = ClampStep(step);
    const size_t done = FadeBlocksSse2(front, from, target, count, step);
    FadeTail(front + done, from + done, target + done, count - done, step);
}

void FadeBytesAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step) {
    step = ClampStep(step);
    size_t done = FadeBlocksAvx2(front, from, target, count, step);
    done += FadeBlocksSse2(front + done, from + done, target + done, count - done, step);
    FadeTail(front + done, from + done, target + done, count - done, step);
}

void FadeBytes(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t step) {
    static const FadeBytesKernel kernel = CpuHasAvx2() ? FadeBytesAvx2 : FadeBytesSse2;
    kernel(front, from, target, count, step);
}
