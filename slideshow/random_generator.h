#pragma once
// The slideshow's own pseudo-random generator: a lagged shift-and-XOR generator over a
// ring of eight words, filled from a fixed table. Every random decision of the saver
// (first picture, next picture, placement) draws from it, so its sequence is fixed by
// the seed alone.
#include <cstdint>

constexpr int RandomRingSize = 8;
constexpr int RandomSeedTableSize = 32;

extern const uint32_t RandomSeedTable[RandomSeedTableSize];
extern uint32_t RandomRing[RandomRingSize];
extern uint16_t RandomIndex;

// Puts the generator into its fixed initial state.
void ResetRandom();
// Refills the ring from the table; only the low 16 bits of the seed matter.
void SeedRandom(uint32_t seed);
uint32_t NextRandom();
// A value in [0, n) scaled from the top 16 bits of one output; 0 when the low 16 bits
// of n are 0. Always consumes exactly one output.
uint32_t RandomBelow(uint32_t n);
