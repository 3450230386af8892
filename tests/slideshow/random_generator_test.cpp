#include "slideshow/random_generator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> Draw(int count) {
    std::vector<uint32_t> out;
    for (int n = 0; n < count; ++n) out.push_back(NextRandom());
    return out;
}

std::vector<uint32_t> DrawBelow(int count, uint32_t n) {
    std::vector<uint32_t> out;
    for (int k = 0; k < count; ++k) out.push_back(RandomBelow(n));
    return out;
}

TEST(RandomGenerator, ResetGivesTheFixedSequence) {
    ResetRandom();
    EXPECT_EQ(Draw(3), (std::vector<uint32_t>{0x02AD9A5E, 0xB6EFABC5, 0x2210B52D}));
    ResetRandom();
    EXPECT_EQ(DrawBelow(5, 6), (std::vector<uint32_t>{0, 4, 0, 2, 4}));
}

TEST(RandomGenerator, SeedFillsTheRingFromTheTable) {
    struct Case {
        uint32_t seed;
        int word;
        uint32_t expected;
    };
    const uint32_t* t = RandomSeedTable;
    const Case cases[] = {
        {0, 0, 0xFC7DF6E7},  // bit offset 0: the OR of both table words
        {0, 7, 0xFEAFFEAF},
        {0x21, 0, 0xA8FAE586},
        {0x3E0, 0, t[31] | t[0]},  // start 31 wraps to the table's beginning
        {0x3E0, 1, t[0] | t[1]},
        {0x3E5, 0, (t[31] << 5) | (t[0] >> 27)},
        {0x3FF, 7, (t[6] << 31) | (t[7] >> 1)},
        {0x400, 0, 0x8105A044},  // one warm-up draw
    };
    for (const Case& c : cases) {
        ResetRandom();
        NextRandom();
        SeedRandom(c.seed);
        EXPECT_EQ(RandomRing[c.word], c.expected) << "seed " << c.seed << " word " << c.word;
        EXPECT_EQ(RandomIndex, c.seed >> 10) << "seed " << c.seed;
    }
    SeedRandom(0);
    EXPECT_EQ(NextRandom(), 0x8105A044u);
}

// Only the low 16 bits count, the warm-up takes 0..63 draws, and an earlier state leaves
// no trace.
TEST(RandomGenerator, SequencesDependOnTheSeedAlone) {
    SeedRandom(0);
    Draw(63);
    const std::vector<uint32_t> afterLongestWarmUp = Draw(8);
    SeedRandom(0xFC00);
    EXPECT_EQ(Draw(8), afterLongestWarmUp);

    for (uint32_t seed : {0x1234u, 0xFFFFu, 0x8421u}) {
        SeedRandom(seed);
        const std::vector<uint32_t> expected = Draw(20);
        ResetRandom();
        Draw(13);
        SeedRandom(seed | 0x5A5A0000u);
        EXPECT_EQ(Draw(20), expected) << seed;
    }
}

// One output per call, whatever n; its top half is scaled by the low 16 bits of n.
TEST(RandomGenerator, BelowScalesTheTopHalfOfOneOutput) {
    struct Case {
        uint32_t n;
        uint32_t sameAs;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {0x10000, 0}, {0x10005, 5}, {0xF0006, 6}, {0xFFFFFFFF, 0xFFFF}};
    for (const Case& c : cases) {
        SeedRandom(0x377);
        const std::vector<uint32_t> got = DrawBelow(41, c.n);
        EXPECT_EQ(RandomIndex, 1) << "41 draws, the ring of 8 wrapped " << c.n;
        SeedRandom(0x377);
        for (uint32_t value : got) {
            EXPECT_EQ(value, ((c.sameAs & 0xFFFF) * (NextRandom() >> 16)) >> 16) << "n " << c.n;
            EXPECT_LT(value, c.sameAs > 1 ? c.sameAs : 1) << "n " << c.n;
        }
    }
}

}  // namespace
