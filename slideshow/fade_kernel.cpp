#include "slideshow/fade_kernel.h"

#include <climits>
#include <immintrin.h>

#include "common/pixel_layout.h"

namespace {

constexpr unsigned FadeShift = 5;
constexpr size_t ColourBytes = BytesPerPixel24;
// Four pixels fill a 16-byte vector of the front; their 12 source bytes come from one 16-byte
// load, which stays inside the source while six pixels remain. Eight pixels fill a 32-byte
// vector from two such loads, 12 bytes apart, inside the source while ten remain.
constexpr size_t SsePixels = 4;
constexpr size_t SseLoadPixels = 6;
constexpr size_t AvxPixels = 8;
constexpr size_t AvxLoadPixels = 10;
constexpr size_t ShortSpanPixels = 16;
// The blend weighs in unsigned arithmetic.
constexpr uint32_t LastStep = LastEffectStep;

uint32_t ClampStep(uint32_t step) { return step > LastStep ? LastStep : step; }

void FadeTail(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step) {
    const uint32_t remaining = LastStep - step;
    for (size_t p = 0; p < pixelCount; ++p) {
        for (size_t c = 0; c < ColourBytes; ++c) {
            const size_t k = p * ColourBytes + c;
            front[p * BytesPerPixel32 + c] = static_cast<uint8_t>((from[k] * remaining + target[k] * step) >> FadeShift);
        }
        front[p * BytesPerPixel32 + ColourBytes] = 0;
    }
}

// Interleaved, the bytes of from and target form pairs that one multiply-add per pair weighs:
// from * (32 - s) + target * s, at most 8160, so nothing saturates before the shift.
__attribute__((target("ssse3"))) inline __m128i Blend16(__m128i from, __m128i target, __m128i weights) {
    const __m128i low = _mm_srli_epi16(_mm_maddubs_epi16(_mm_unpacklo_epi8(from, target), weights), FadeShift);
    const __m128i high = _mm_srli_epi16(_mm_maddubs_epi16(_mm_unpackhi_epi8(from, target), weights), FadeShift);
    return _mm_packus_epi16(low, high);
}

// Spreads the 12 bytes of four pixels over 16, a zero in every fourth (index -1 gives 0).
__attribute__((target("ssse3"))) inline __m128i SpreadMask() {
    return _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
}

__attribute__((target("ssse3"))) inline __m128i Load4(const uint8_t* source) {
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source)), SpreadMask());
}

// Returns the number of pixels it handled.
__attribute__((target("ssse3"))) size_t FadeBlocksSsse3(uint8_t* front, const uint8_t* from, const uint8_t* target,
                                                        size_t pixelCount, uint32_t step) {
    const __m128i weights = _mm_set1_epi16(static_cast<short>((step << CHAR_BIT) | (LastStep - step)));
    size_t p = 0;
    for (; p + SseLoadPixels <= pixelCount; p += SsePixels) {
        const __m128i blended = Blend16(Load4(from + p * ColourBytes), Load4(target + p * ColourBytes), weights);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(front + p * BytesPerPixel32), blended);
    }
    return p;
}

// Unpacking, multiplying and packing all work within each 128-bit lane, so each lane holds
// four pixels from start to end. Everything stays in registers, with no 32-byte value passed
// to a call: some Windows compilers do not align the stack for 32-byte spills.
__attribute__((target("avx2"), always_inline)) inline __m256i Load8(const uint8_t* source) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + SsePixels * ColourBytes));
    const __m256i pair = _mm256_inserti128_si256(_mm256_castsi128_si256(first), second, 1);
    return _mm256_shuffle_epi8(pair, _mm256_broadcastsi128_si256(SpreadMask()));
}

__attribute__((target("avx2"))) size_t FadeBlocksAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target,
                                                      size_t pixelCount, uint32_t step) {
    const __m256i weights = _mm256_set1_epi16(static_cast<short>((step << CHAR_BIT) | (LastStep - step)));
    size_t p = 0;
    for (; p + AvxLoadPixels <= pixelCount; p += AvxPixels) {
        const __m256i a = Load8(from + p * ColourBytes);
        const __m256i b = Load8(target + p * ColourBytes);
        const __m256i low = _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpacklo_epi8(a, b), weights), FadeShift);
        const __m256i high = _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpackhi_epi8(a, b), weights), FadeShift);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(front + p * BytesPerPixel32), _mm256_packus_epi16(low, high));
    }
    return p;
}

using FadePixelsKernel = void (*)(uint8_t*, const uint8_t*, const uint8_t*, size_t, uint32_t);

}  // namespace

bool CpuHasSsse3() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3");
}

bool CpuHasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

void FadePixelsPortable(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step) {
    FadeTail(front, from, target, pixelCount, ClampStep(step));
}

void FadePixelsSsse3(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step) {
    step = ClampStep(step);
    const size_t done = FadeBlocksSsse3(front, from, target, pixelCount, step);
    FadeTail(front + done * BytesPerPixel32, from + done * ColourBytes, target + done * ColourBytes,
             pixelCount - done, step);
}

void FadePixelsAvx2(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step) {
    step = ClampStep(step);
    const size_t done = FadeBlocksAvx2(front, from, target, pixelCount, step);
    FadePixelsSsse3(front + done * BytesPerPixel32, from + done * ColourBytes, target + done * ColourBytes,
                    pixelCount - done, step);
}

void WidenPixels(uint8_t* front, const uint8_t* source, size_t pixelCount) {
    // Block copies spans of two pixels by the thousand; those skip the set-up of the vectors.
    if (pixelCount < ShortSpanPixels) FadeTail(front, source, source, pixelCount, LastStep);
    else FadePixels(front, source, source, pixelCount, LastStep);
}

void FadePixels(uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount, uint32_t step) {
    static const FadePixelsKernel kernel = CpuHasAvx2()    ? FadePixelsAvx2
                                           : CpuHasSsse3() ? FadePixelsSsse3
                                                           : FadePixelsPortable;
    kernel(front, from, target, pixelCount, step);
}
