#include "slideshow/random_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

std::vector<uint32_t> Draw(int count) {
    std::vector<uint32_t> out;
    for (int n = 0; n < count; ++n) out.push_back(NextRandom());
    return out;
}

TEST(RandomGenerator, ResetGivesTheFixedSequence) {
    ResetRandom();
    EXPECT_EQ(Draw(3), (std::vector<uint32_t>{0x02AD9A5E, 0xB6EFABC5, 0x2210B52D}));
    EXPECT_EQ(RandomIndex, 3);
}

TEST(RandomGenerator, ResetThenSixSidedDraws) {
    ResetRandom();
    std::vector<uint32_t> got;
    for (int n = 0; n < 5; ++n) got.push_back(RandomBelow(6));
    EXPECT_EQ(got, (std::vector<uint32_t>{0, 4, 0, 2, 4}));
}

TEST(RandomGenerator, SeedFillsTheRingFromTheTable) {
    struct Case {
        uint32_t seed;
        int word;
        uint32_t expected;
    };
    const uint32_t* t = RandomSeedTable;
    const Case cases[] = {
        {0, 0, 0xFC7DF6E7},  // offset 0: the OR of both table words
        {0, 7, 0xFEAFFEAF},
        {0x21, 0, 0xA8FAE586},
        {0x21, 1, (t[2] << 1) | (t[3] >> 31)},
        {0x3E0, 0, t[31] | t[0]},  // start 31 wraps to the table's beginning
        {0x3E0, 1, t[0] | t[1]},
        {0x3E5, 0, (t[31] << 5) | (t[0] >> 27)},
        {0x3FF, 7, (t[6] << 31) | (t[7] >> 1)},
    };
    for (const Case& c : cases) {
        ResetRandom();
        NextRandom();
        SeedRandom(c.seed);
        EXPECT_EQ(RandomRing[c.word], c.expected) << "seed " << c.seed << " word " << c.word;
        EXPECT_EQ(RandomIndex, 0) << "seed " << c.seed;
    }
}

TEST(RandomGenerator, SeedZeroThenFirstOutput) {
    SeedRandom(0);
    EXPECT_EQ(NextRandom(), 0x8105A044u);
}

TEST(RandomGenerator, WarmUpDrawsFromBitTen) {
    SeedRandom(0x400);
    EXPECT_EQ(RandomRing[0], 0x8105A044u);
    EXPECT_EQ(RandomIndex, 1);

    // 63 warm-up draws leave the generator where seed 0 is after 63 draws.
    SeedRandom(0);
    Draw(63);
    const std::vector<uint32_t> expected = Draw(4);
    SeedRandom(0xFC00);
    EXPECT_EQ(Draw(4), expected);
}

TEST(RandomGenerator, OnlyTheLowSixteenSeedBitsCount) {
    for (uint32_t seed : {0x1234u, 0xFFFFu, 0x0u, 0x8421u}) {
        SeedRandom(seed);
        const std::vector<uint32_t> expected = Draw(20);
        SeedRandom(seed | 0x5A5A0000u);
        EXPECT_EQ(Draw(20), expected) << seed;
    }
}

TEST(RandomGenerator, SeedReplacesAnyEarlierState) {
    SeedRandom(0x2468);
    const std::vector<uint32_t> expected = Draw(16);
    ResetRandom();
    Draw(13);
    SeedRandom(0x2468);
    EXPECT_EQ(Draw(16), expected);
}

TEST(RandomGenerator, BelowScalesTheTopHalfOfOneOutput) {
    struct Case {
        uint32_t n;
        uint32_t sameAs;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {0x10000, 0}, {0x10005, 5}, {0xF0006, 6}, {0xFFFFFFFF, 0xFFFF}};
    for (const Case& c : cases) {
        std::vector<uint32_t> got, expected;
        SeedRandom(0x777);
        for (int k = 0; k < 40; ++k) got.push_back(RandomBelow(c.n));
        SeedRandom(0x777);
        for (int k = 0; k < 40; ++k) {
            const uint32_t x = NextRandom();
            expected.push_back(((c.sameAs & 0xFFFF) * (x >> 16)) >> 16);
        }
        EXPECT_EQ(got, expected) << "n " << c.n;
        const uint32_t limit = c.sameAs > 1 ? c.sameAs : 1;
        for (uint32_t value : got) EXPECT_LT(value, limit) << "n " << c.n;
    }
}

TEST(RandomGenerator, BelowAlwaysConsumesOneOutput) {
    for (uint32_t n : {0u, 1u, 6u, 0x10000u}) {
        ResetRandom();
        RandomBelow(n);
        EXPECT_EQ(RandomIndex, 1) << n;
        EXPECT_EQ(NextRandom(), 0xB6EFABC5u) << n;
    }
}

TEST(RandomGenerator, IndexWrapsRoundTheRing) {
    ResetRandom();
    std::array<uint32_t, 9> outputs{};
    for (uint32_t& out : outputs) out = NextRandom();
    EXPECT_EQ(RandomIndex, 1);
    // The ninth output replaced word 0 again; the eighth sits in word 7.
    EXPECT_EQ(RandomRing[0], outputs[8]);
    EXPECT_EQ(RandomRing[7], outputs[7]);
}

}  // namespace
