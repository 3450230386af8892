#include "noise.h"

#include <cmath>

namespace {

uint32_t Mix32(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

float Fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// The gradient at a lattice point: one of 16 evenly spread unit directions.
float GradientDot(int32_t ix, int32_t iy, uint32_t seed, float dx, float dy) {
    constexpr float Directions[16][2] = {
        {1.0f, 0.0f},        {0.9239f, 0.3827f},  {0.7071f, 0.7071f},  {0.3827f, 0.9239f},
        {0.0f, 1.0f},        {-0.3827f, 0.9239f}, {-0.7071f, 0.7071f}, {-0.9239f, 0.3827f},
        {-1.0f, 0.0f},       {-0.9239f, -0.3827f}, {-0.7071f, -0.7071f}, {-0.3827f, -0.9239f},
        {0.0f, -1.0f},       {0.3827f, -0.9239f}, {0.7071f, -0.7071f}, {0.9239f, -0.3827f}};
    const float* d = Directions[Hash2(ix, iy, seed) & 15u];
    return d[0] * dx + d[1] * dy;
}

}  // namespace

uint32_t Hash2(int32_t x, int32_t y, uint32_t seed) {
    return Mix32(static_cast<uint32_t>(x) * 0x9E3779B1u ^ Mix32(static_cast<uint32_t>(y) + 0x632BE5ABu * seed));
}

float HashUnit(int32_t x, int32_t y, uint32_t seed) {
    constexpr float Scale = 1.0f / 16777216.0f;
    return static_cast<float>(Hash2(x, y, seed) >> 8) * Scale;
}

float GradientNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<int32_t>(fx);
    const auto iy = static_cast<int32_t>(fy);
    const float dx = x - fx;
    const float dy = y - fy;
    const float n00 = GradientDot(ix, iy, seed, dx, dy);
    const float n10 = GradientDot(ix + 1, iy, seed, dx - 1, dy);
    const float n01 = GradientDot(ix, iy + 1, seed, dx, dy - 1);
    const float n11 = GradientDot(ix + 1, iy + 1, seed, dx - 1, dy - 1);
    const float u = Fade(dx);
    const float v = Fade(dy);
    const float bottom = n00 + (n10 - n00) * u;
    const float top = n01 + (n11 - n01) * u;
    // Two-dimensional gradient noise peaks at about 0.7; scale it to fill -1..1.
    constexpr float Normalise = 1.4f;
    return (bottom + (top - bottom) * v) * Normalise;
}

float Fractal(float x, float y, uint32_t seed, int octaves, float gain) {
    float sum = 0;
    float amplitude = 1;
    float total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += GradientNoise(x, y, seed + static_cast<uint32_t>(i) * 101u) * amplitude;
        total += amplitude;
        amplitude *= gain;
        // Rotate a little between octaves so lattice axes do not line up.
        const float nx = x * 1.6f - y * 1.2f;
        const float ny = x * 1.2f + y * 1.6f;
        x = nx;
        y = ny;
    }
    return sum / total;
}

float RidgedFractal(float x, float y, uint32_t seed, int octaves) {
    float sum = 0;
    float amplitude = 1;
    float total = 0;
    for (int i = 0; i < octaves; ++i) {
        const float n = 1 - std::fabs(GradientNoise(x, y, seed + static_cast<uint32_t>(i) * 131u));
        sum += n * n * amplitude;
        total += amplitude;
        amplitude *= 0.5f;
        const float nx = x * 1.6f - y * 1.2f;
        const float ny = x * 1.2f + y * 1.6f;
        x = nx;
        y = ny;
    }
    return sum / total;
}
