#include "display/scale_brightness.h"

#include "display/dim_in_plan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int LevelShift = 5;  // divide by the 32 levels of full brightness

int32_t ClampLevel(int32_t level) {
    if (level < 0) return 0;
    if (level > FullBrightnessLevel) return FullBrightnessLevel;
    return level;
}

#if defined(__SSE2__)
constexpr size_t VectorBytes = 16;

// Widens 16 bytes to two halves of 16-bit lanes: 255 * 32 still fits, so one multiply and
// one shift give the exact floor for every byte.
__m128i ScaleVector(__m128i bytes, __m128i level, __m128i zero) {
    const __m128i low = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(bytes, zero), level), LevelShift);
    const __m128i high = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(bytes, zero), level), LevelShift);
    return _mm_packus_epi16(low, high);
}
#endif

}  // namespace

void ScaleBrightnessBytes(uint8_t* destination, const uint8_t* source, size_t byteCount, int32_t level) {
    const uint32_t factor = static_cast<uint32_t>(ClampLevel(level));
    size_t offset = 0;
#if defined(__SSE2__)
    const __m128i levelVector = _mm_set1_epi16(static_cast<short>(factor));
    const __m128i zero = _mm_setzero_si128();
    for (; offset + 2 * VectorBytes <= byteCount; offset += 2 * VectorBytes) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + offset));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + offset + VectorBytes));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + offset), ScaleVector(first, levelVector, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + offset + VectorBytes),
                         ScaleVector(second, levelVector, zero));
    }
    for (; offset + VectorBytes <= byteCount; offset += VectorBytes) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + offset));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + offset), ScaleVector(bytes, levelVector, zero));
    }
#endif
    for (; offset < byteCount; ++offset) {
        destination[offset] = static_cast<uint8_t>((source[offset] * factor) >> LevelShift);
    }
}

int ScaleBrightness(void* destination, const void* source, int32_t width, int32_t height, int32_t level) {
    if (!destination || !source || width <= 0 || height <= 0) return 0;
    const size_t byteCount = PixelBufferBytes(width, height);
    ScaleBrightnessBytes(static_cast<uint8_t*>(destination), static_cast<const uint8_t*>(source), byteCount, level);
    return 0;
}
