#include "slideshow/fade_kernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using FadeFunction = void (*)(uint8_t*, const uint8_t*, const uint8_t*, size_t, uint32_t);

struct FadePath {
    const char* name;
    FadeFunction fade;
    bool (*available)();
};

bool Always() { return true; }

const FadePath Paths[] = {{"dispatch", FadePixels, Always},
                          {"portable", FadePixelsPortable, Always},
                          {"ssse3", FadePixelsSsse3, CpuHasSsse3},
                          {"avx2", FadePixelsAvx2, CpuHasAvx2}};

// Each path on its own, so a processor without one reports that path as skipped.
class FadeKernel : public testing::TestWithParam<FadePath> {
protected:
    void SetUp() override {
        if (!GetParam().available()) GTEST_SKIP() << "this processor lacks " << GetParam().name;
    }
};

uint8_t Expected(uint8_t from, uint8_t target, uint32_t step) {
    const uint32_t f = 8 * step;
    return static_cast<uint8_t>((from * (256 - f) + target * f) >> 8);
}

// The front of pixelCount pixels must hold the formula in each colour byte and 0 in the fourth.
size_t Mismatches(const uint8_t* front, const uint8_t* from, const uint8_t* target, size_t pixelCount,
                  uint32_t step) {
    size_t mismatches = 0;
    for (size_t p = 0; p < pixelCount; ++p) {
        for (size_t c = 0; c < 3; ++c) mismatches += front[4 * p + c] != Expected(from[3 * p + c], target[3 * p + c], step);
        mismatches += front[4 * p + 3] != 0;
    }
    return mismatches;
}

// Every pair of byte values at every step, so the vector arithmetic is proven equal to
// the formula over its whole domain.
TEST_P(FadeKernel, EveryBytePairAtEveryStep) {
    constexpr size_t pixelCount = (256 * 256 + 2) / 3;
    std::vector<uint8_t> from(3 * pixelCount), target(3 * pixelCount), front(4 * pixelCount);
    for (size_t k = 0; k < from.size(); ++k) {
        from[k] = static_cast<uint8_t>(k >> 8);
        target[k] = static_cast<uint8_t>(k);
    }
    const FadePath& path = GetParam();
    for (uint32_t step = 0; step <= static_cast<uint32_t>(LastEffectStep); ++step) {
        std::fill(front.begin(), front.end(), 0xEE);
        path.fade(front.data(), from.data(), target.data(), pixelCount, step);
        ASSERT_EQ(Mismatches(front.data(), from.data(), target.data(), pixelCount, step), 0u)
            << path.name << " step " << step;
    }
}

// Odd lengths and misaligned starts exercise the wide, the narrow and the pixel-by-pixel parts
// of each path; nothing is read past the sources (the sanitizer's check) and the guard bytes
// around the output must stay as they were.
TEST_P(FadeKernel, OddLengthsAndOffsetsStayInBounds) {
    constexpr size_t guard = 8;
    constexpr uint8_t guardValue = 0xA5;
    const size_t lengths[] = {0, 1, 4, 5, 6, 7, 9, 10, 11, 17, 18, 33, 100};
    const FadePath& path = GetParam();
    for (size_t length : lengths) {
        for (size_t offset = 0; offset < 32; offset += 5) {
            std::vector<uint8_t> from(offset + 3 * length), target(offset + 3 * length);
            std::vector<uint8_t> front(offset + 4 * length + 2 * guard, guardValue);
            for (size_t k = 0; k < from.size(); ++k) {
                from[k] = static_cast<uint8_t>(k * 37 + 11);
                target[k] = static_cast<uint8_t>(k * 91 + 200);
            }
            // Steps past the last show the target.
            for (uint32_t step : {0u, 1u, 12u, 31u, 32u, 1000u}) {
                uint8_t* out = front.data() + guard + offset;
                path.fade(out, from.data() + offset, target.data() + offset, length, step);
                ASSERT_EQ(Mismatches(out, from.data() + offset, target.data() + offset, length,
                                     std::min(step, static_cast<uint32_t>(LastEffectStep))),
                          0u)
                    << path.name << " length " << length << " offset " << offset;
                for (size_t k = 0; k < guard + offset; ++k) ASSERT_EQ(front[k], guardValue) << path.name;
                for (size_t k = guard + offset + 4 * length; k < front.size(); ++k)
                    ASSERT_EQ(front[k], guardValue) << path.name << " length " << length;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, FadeKernel, testing::ValuesIn(Paths));

}  // namespace
