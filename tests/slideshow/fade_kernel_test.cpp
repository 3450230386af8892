#include "slideshow/fade_kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using FadeFunction = void (*)(uint8_t*, const uint8_t*, const uint8_t*, size_t, uint32_t);

struct FadePath {
    const char* name;
    FadeFunction fade;
};

const FadePath Paths[] = {{"dispatch", FadeBytes}, {"sse2", FadeBytesSse2}, {"avx2", FadeBytesAvx2}};

// Each path on its own, so a processor without AVX2 reports that path as skipped.
class FadeKernel : public testing::TestWithParam<FadePath> {
protected:
    void SetUp() override {
        if (GetParam().fade == FadeBytesAvx2 && !CpuHasAvx2()) GTEST_SKIP() << "this processor has no AVX2";
    }
};

uint8_t Expected(uint8_t from, uint8_t target, uint32_t step) {
    const uint32_t f = 8 * step;
    return static_cast<uint8_t>((from * (256 - f) + target * f) >> 8);
}

// Every pair of byte values at every step, so the vector arithmetic is proven equal to
// the formula over its whole domain.
TEST_P(FadeKernel, EveryBytePairAtEveryStep) {
    constexpr size_t pairCount = 256 * 256;
    std::vector<uint8_t> from(pairCount), target(pairCount), front(pairCount);
    for (size_t k = 0; k < pairCount; ++k) {
        from[k] = static_cast<uint8_t>(k >> 8);
        target[k] = static_cast<uint8_t>(k);
    }
    const FadePath& path = GetParam();
    for (uint32_t step = 0; step <= FadeStepCount; ++step) {
        path.fade(front.data(), from.data(), target.data(), pairCount, step);
        size_t mismatches = 0;
        for (size_t k = 0; k < pairCount; ++k) mismatches += front[k] != Expected(from[k], target[k], step);
        ASSERT_EQ(mismatches, 0u) << path.name << " step " << step;
    }
}

// Odd lengths and misaligned starts exercise the 32-byte, 16-byte and single-byte parts
// of each path; the guard bytes around the output must stay as they were.
TEST_P(FadeKernel, OddLengthsAndOffsetsStayInBounds) {
    constexpr size_t guard = 8;
    constexpr uint8_t guardValue = 0xA5;
    const size_t lengths[] = {0, 1, 15, 16, 17, 31, 32, 33, 47, 63, 64, 65, 100, 257};
    const FadePath& path = GetParam();
    for (size_t length : lengths) {
        for (size_t offset = 0; offset < 32; offset += 5) {
            std::vector<uint8_t> from(offset + length), target(offset + length);
            std::vector<uint8_t> front(offset + length + 2 * guard, guardValue);
            for (size_t k = 0; k < from.size(); ++k) {
                from[k] = static_cast<uint8_t>(k * 37 + 11);
                target[k] = static_cast<uint8_t>(k * 91 + 200);
            }
            // Steps past the last show the target.
            for (uint32_t step : {0u, 1u, 12u, 31u, 32u, 1000u}) {
                uint8_t* out = front.data() + guard + offset;
                path.fade(out, from.data() + offset, target.data() + offset, length, step);
                for (size_t k = 0; k < length; ++k)
                    ASSERT_EQ(out[k], Expected(from[offset + k], target[offset + k], std::min(step, FadeStepCount)))
                        << path.name << " length " << length << " offset " << offset << " byte " << k;
                for (size_t k = 0; k < guard + offset; ++k) ASSERT_EQ(front[k], guardValue) << path.name;
                for (size_t k = guard + offset + length; k < front.size(); ++k)
                    ASSERT_EQ(front[k], guardValue) << path.name << " length " << length;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, FadeKernel, testing::ValuesIn(Paths));

}  // namespace
