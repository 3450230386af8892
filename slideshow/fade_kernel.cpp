#include "slideshow/fade_kernel.h"

#include <immintrin.h>

// The blend is computed as from + floor((target - from) * weight / 256), which equals the
// formula because from * 256 is a whole multiple of 256. The difference is scaled by 128
// and the weight by 2 so that one signed high multiply per 16-bit lane gives the floor:
// (d * 128) * (2 * weight) >> 16 == floor(d * weight / 256), and both factors fit in 16 bits
// (|d * 128| <= 32640, 2 * weight <= 512).
namespace {

constexpr int DifferenceScaleShift = 7;
constexpr uint32_t WeightScale = 2;
constexpr unsigned FadeShift = 8;
constexpr size_t SseBytes = 16;
constexpr size_t AvxBytes = 32;

uint32_t ClampWeight(uint32_t weight) { return weight > FullFadeWeight ? FullFadeWeight : weight; }

void FadeTail(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight) {
    const uint32_t remaining = FullFadeWeight - weight;
    for (size_t k = 0; k < count; ++k)
        front[k] = static_cast<uint8_t>((from[k] * remaining + target[k] * weight) >> FadeShift);
}

inline __m128i BlendHalfSse2(__m128i from16, __m128i target16, __m128i weight16) {
    const __m128i difference = _mm_slli_epi16(_mm_sub_epi16(target16, from16), DifferenceScaleShift);
    return _mm_add_epi16(from16, _mm_mulhi_epi16(difference, weight16));
}

// Returns the number of bytes it handled: all whole blocks of 16.
size_t FadeBlocksSse2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i weight16 = _mm_set1_epi16(static_cast<short>(weight * WeightScale));
    size_t k = 0;
    for (; k + SseBytes <= count; k += SseBytes) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + k));
        const __m128i low = BlendHalfSse2(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), weight16);
        const __m128i high = BlendHalfSse2(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), weight16);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(front + k), _mm_packus_epi16(low, high));
    }
    return k;
}

// Everything stays in registers and inline: some Windows compilers do not align the stack
// for 32-byte spills, so no 256-bit value may cross a call or live on the stack.
__attribute__((target("avx2"), always_inline)) inline __m256i BlendHalfAvx2(__m256i from16, __m256i target16,
                                                                             __m256i weight16) {
    const __m256i difference = _mm256_slli_epi16(_mm256_sub_epi16(target16, from16), DifferenceScaleShift);
    return _mm256_add_epi16(from16, _mm256_mulhi_epi16(difference, weight16));
}

__attribute__((target("avx2"))) size_t FadeBlocksAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target,
                                                      size_t count, uint32_t weight) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i weight16 = _mm256_set1_epi16(static_cast<short>(weight * WeightScale));
    size_t k = 0;
    // Unpacking and packing both work within each 128-bit lane, so the bytes come back
    // in their original order.
    for (; k + AvxBytes <= count; k += AvxBytes) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + k));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(target + k));
        const __m256i low = BlendHalfAvx2(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero), weight16);
        const __m256i high = BlendHalfAvx2(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero), weight16);
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

void FadeBytesSse2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight) {
    weight = ClampWeight(weight);
    const size_t done = FadeBlocksSse2(front, from, target, count, weight);
    FadeTail(front + done, from + done, target + done, count - done, weight);
}

void FadeBytesAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight) {
    weight = ClampWeight(weight);
    size_t done = FadeBlocksAvx2(front, from, target, count, weight);
    done += FadeBlocksSse2(front + done, from + done, target + done, count - done, weight);
    FadeTail(front + done, from + done, target + done, count - done, weight);
}

void FadeBytes(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t count, uint32_t weight) {
    static const FadeBytesKernel kernel = CpuHasAvx2() ? FadeBytesAvx2 : FadeBytesSse2;
    kernel(front, from, target, count, weight);
}
