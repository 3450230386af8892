#pragma once
// Deterministic hashing and smooth noise for the painters. Everything is integer-hash
// based, so the same coordinates give the same values on every build and run.
#include <cstdint>

// A well-mixed 32-bit hash of two integer lattice coordinates and a seed.
uint32_t Hash2(int32_t x, int32_t y, uint32_t seed);

// The hash mapped to 0..1.
float HashUnit(int32_t x, int32_t y, uint32_t seed);

// Gradient noise in about -1..1, continuous with continuous first derivative.
float GradientNoise(float x, float y, uint32_t seed);

// Sum of `octaves` noise layers, each at twice the frequency and `gain` times the amplitude
// of the one before; normalised to about -1..1.
float Fractal(float x, float y, uint32_t seed, int octaves, float gain = 0.5f);

// Ridged variant: sharp crests where the noise crosses zero, in 0..1.
float RidgedFractal(float x, float y, uint32_t seed, int octaves);
