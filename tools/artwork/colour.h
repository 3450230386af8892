#pragma once
// Floating-point colour arithmetic for the procedural painters. Channels are display
// values in 0..1; anything outside is clamped only when a pixel is stored.
#include <algorithm>
#include <cmath>

struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;
};

constexpr Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
constexpr Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
constexpr Colour operator*(Colour a, float k) { return {a.r * k, a.g * k, a.b * k}; }
constexpr Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// A colour written as 0xRRGGBB, the way designers name them.
constexpr Colour Hex(unsigned rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f};
}

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

inline float Mix(float a, float b, float t) { return a + (b - a) * t; }

inline Colour Mix(Colour a, Colour b, float t) { return a + (b - a) * t; }

inline float SmoothStep(float edge0, float edge1, float v) {
    const float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// Adds light without blowing out: each channel approaches 1 smoothly.
inline Colour Screen(Colour base, Colour light) {
    return {1 - (1 - base.r) * (1 - Clamp01(light.r)), 1 - (1 - base.g) * (1 - Clamp01(light.g)),
            1 - (1 - base.b) * (1 - Clamp01(light.b))};
}

// A smooth colour ramp through evenly spaced stops, t in 0..1.
template <size_t N>
Colour Ramp(const Colour (&stops)[N], float t) {
    const float scaled = Clamp01(t) * (N - 1);
    const size_t i = std::min(static_cast<size_t>(scaled), N - 2);
    return Mix(stops[i], stops[i + 1], SmoothStep(0, 1, scaled - i));
}
