#include "display/scale_brightness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr uint8_t Sentinel = 0xA5;

uint8_t Expected(uint8_t b, int32_t level) {
    const int32_t clamped = std::clamp(level, 0, 32);
    return static_cast<uint8_t>(b * clamped / 32);
}

std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed) {
    std::mt19937 generator(seed);
    std::vector<uint8_t> bytes(count);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(generator());
    return bytes;
}

TEST(ScaleBrightness, EveryByteIncludingFillerMatchesTheFloorFormula) {
    const int32_t widths[] = {1, 2, 3, 5, 1366};
    const int32_t levels[] = {-3, 0, 1, 16, 31, 32, 40};
    constexpr int32_t height = 3;
    for (int32_t width : widths) {
        const size_t total = PixelBufferBytes(width, height);
        const std::vector<uint8_t> source = RandomBytes(total, static_cast<uint32_t>(width));
        for (int32_t level : levels) {
            std::vector<uint8_t> destination(total + 16, Sentinel);
            EXPECT_EQ(ScaleBrightness(destination.data(), source.data(), width, height, level), 0);
            for (size_t i = 0; i < total; ++i) {
                ASSERT_EQ(destination[i], Expected(source[i], level))
                    << "width " << width << " level " << level << " byte " << i;
            }
            for (size_t i = total; i < destination.size(); ++i) {
                ASSERT_EQ(destination[i], Sentinel) << "wrote past the buffer, width " << width;
            }
        }
    }
}

TEST(ScaleBrightness, WholeBufferIsScaledAboveTheOldSixteenBitStride) {
    constexpr int32_t width = 21846;  // stride 65540 bytes: more than a 16-bit byte count holds
    constexpr int32_t height = 2;
    const size_t total = PixelBufferBytes(width, height);
    const std::vector<uint8_t> source(total, 200);
    std::vector<uint8_t> destination(total, Sentinel);
    ScaleBrightness(destination.data(), source.data(), width, height, 16);
    const auto wrong = std::find_if(destination.begin(), destination.end(), [](uint8_t b) { return b != 100; });
    EXPECT_EQ(wrong, destination.end()) << "first unscaled byte at " << (wrong - destination.begin());
}

TEST(ScaleBrightness, WorksInPlaceAndOnUnalignedBuffers) {
    constexpr int32_t width = 37;
    constexpr int32_t height = 5;
    const size_t total = PixelBufferBytes(width, height);
    const std::vector<uint8_t> original = RandomBytes(total + 1, 7);
    std::vector<uint8_t> buffer(original);
    ScaleBrightness(buffer.data() + 1, buffer.data() + 1, width, height, 21);
    EXPECT_EQ(buffer[0], original[0]);
    for (size_t i = 1; i <= total; ++i) ASSERT_EQ(buffer[i], Expected(original[i], 21)) << i;
}

TEST(ScaleBrightness, EmptyOrMissingBuffersAreLeftAlone) {
    std::vector<uint8_t> source(64, 90);
    std::vector<uint8_t> destination(64, Sentinel);
    const struct {
        int32_t width;
        int32_t height;
    } sizes[] = {{0, 4}, {4, 0}, {-1, 4}, {4, -3}};
    for (const auto& size : sizes) {
        EXPECT_EQ(ScaleBrightness(destination.data(), source.data(), size.width, size.height, 16), 0);
    }
    EXPECT_EQ(ScaleBrightness(nullptr, source.data(), 4, 4, 16), 0);
    EXPECT_EQ(ScaleBrightness(destination.data(), nullptr, 4, 4, 16), 0);
    EXPECT_TRUE(std::all_of(destination.begin(), destination.end(), [](uint8_t b) { return b == Sentinel; }));
}

}  // namespace
