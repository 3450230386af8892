#include "slideshow/random_generator.h"

namespace {

constexpr uint32_t TableIndexMask = RandomSeedTableSize - 1;
constexpr uint32_t RingIndexMask = RandomRingSize - 1;
constexpr uint32_t TableStartShift = 5;
constexpr uint32_t BitOffsetMask = 31;
constexpr uint32_t WarmUpShift = 10;
constexpr uint32_t WarmUpMask = 63;
constexpr uint32_t WordBits = 32;
constexpr uint32_t LowHalfMask = 0xFFFF;
constexpr uint32_t HalfBits = 16;
// Each output joins two pairs of neighbouring ring words, the first pair just behind
// the replaced word and the second just ahead of it.
constexpr uint32_t BehindHighShift = 26;
constexpr uint32_t BehindLowShift = 6;
constexpr uint32_t AheadHighShift = 7;
constexpr uint32_t AheadLowShift = 25;

}  // namespace

const uint32_t RandomSeedTable[RandomSeedTableSize] = {
    0x2841E627, 0xD47D72C3, 0x4079BE1F, 0x6C35CA3B, 0x58B19617, 0x04ED22B3, 0x70E96E0F, 0x9CA57A2B,
    0x6E0F9CA5, 0x7A2B8821, 0x4607345D, 0xD2A3A059, 0x1EFFCC15, 0x2A1BB891, 0xF6F764CD, 0x8293D0C9,
    0x12E3E099, 0x5E3F0C55, 0x6A5BF8D1, 0x3637A40D, 0xC2D31B09, 0x0E2F3CC5, 0x1A4B2841, 0xE627D47D,
    0x0380B9FE, 0x5FAC750A, 0x7B98F1D6, 0x57442D62, 0xF3B029AE, 0x4FDCE5BA, 0x6BC86186, 0x47749D12,
};

uint32_t RandomRing[RandomRingSize];
uint16_t RandomIndex;

void ResetRandom() {
    for (int k = 0; k < RandomRingSize; ++k) RandomRing[k] = RandomSeedTable[k];
    RandomIndex = 0;
}

void SeedRandom(uint32_t seed) {
    const uint32_t start = (seed >> TableStartShift) & TableIndexMask;
    const uint32_t offset = seed & BitOffsetMask;
    // With offset 0 the right shift is by 0, not 32: the word is the OR of both table
    // words. The generator's sequences depend on exactly this.
    const uint32_t rightShift = (WordBits - offset) % WordBits;
    for (uint32_t k = 0; k < RandomRingSize; ++k) {
        const uint32_t high = RandomSeedTable[(start + k) & TableIndexMask];
        const uint32_t low = RandomSeedTable[(start + k + 1) & TableIndexMask];
        RandomRing[k] = (high << offset) | (low >> rightShift);
    }
    RandomIndex = 0;
    const uint32_t warmUp = (seed >> WarmUpShift) & WarmUpMask;
    for (uint32_t n = 0; n < warmUp; ++n) NextRandom();
}

uint32_t NextRandom() {
    const uint32_t i = RandomIndex & RingIndexMask;
    const uint32_t a = (RandomRing[(i - 2) & RingIndexMask] << BehindHighShift) |
                       (RandomRing[(i - 1) & RingIndexMask] >> BehindLowShift);
    const uint32_t b = (RandomRing[(i + 2) & RingIndexMask] << AheadHighShift) |
                       (RandomRing[(i + 3) & RingIndexMask] >> AheadLowShift);
    const uint32_t out = a ^ b;
    RandomRing[i] = out;
    RandomIndex = static_cast<uint16_t>(i + 1);
    return out;
}

uint32_t RandomBelow(uint32_t n) {
    const uint32_t x = NextRandom();
    return ((n & LowHalfMask) * (x >> HalfBits)) >> HalfBits;
}
