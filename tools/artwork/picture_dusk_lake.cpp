// A mountain lake just after sunset: a violet-to-amber sky with thin lit clouds and the
// evening star, three ranges of hills fading into the haze, a pine shore, and the whole
// scene mirrored in gently rippling water.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "colour.h"
#include "noise.h"
#include "pictures.h"
#include "shader_render.h"

namespace {

constexpr int SamplesPerAxis = 2;
constexpr float Horizon = 0.6f;  // fraction of the height
constexpr float SunU = 0.64f;

struct Range {
    float base;       // height above the horizon, in picture heights
    float amplitude;
    float frequency;
    uint32_t seed;
    Colour colour;
};

constexpr Range Ranges[] = {
    {0.1f, 0.13f, 2.2f, 11, Hex(0x9C7498)},
    {0.05f, 0.13f, 3.4f, 23, Hex(0x5A4A7E)},
    {0.015f, 0.06f, 5.0f, 37, Hex(0x231F3F)},
};
constexpr int RangeCount = sizeof(Ranges) / sizeof(Ranges[0]);

// Ridge heights are tabulated once, finer than the samples, instead of per sample.
constexpr int TableStepsPerPixel = 4;
constexpr float TableMargin = 0.2f;  // ripples look a little beyond the picture's sides

class DuskLake {
public:
    DuskLake(int width, int height) : aspect_(static_cast<float>(width) / height), height_(static_cast<float>(height)) {
        tableStep_ = 1.0f / (height_ * TableStepsPerPixel);
        const int count = static_cast<int>((aspect_ + 2 * TableMargin) / tableStep_) + 2;
        for (int r = 0; r < RangeCount; ++r) {
            tops_[r].resize(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i) tops_[r][i] = ComputeRangeTop(Ranges[r], i * tableStep_ - TableMargin);
        }
    }

    Colour operator()(float x, float y) const {
        const float u = x / height_;
        const float v = y / height_;
        return v < Horizon ? Above(u, v) : Water(u, v);
    }

private:
    Colour Sky(float u, float v) const {
        static constexpr Colour Stops[] = {Hex(0x0E1433), Hex(0x2A2A62), Hex(0x6A3F7C), Hex(0xC25C72),
                                           Hex(0xF0955A), Hex(0xFFD28C)};
        const float t = std::pow(v / Horizon, 1.6f);
        Colour sky = Ramp(Stops, t);
        // The glow where the sun went down.
        const float du = (u - SunU * aspect_) * 1.4f;
        const float dv = (Horizon - v) * 3.0f;
        const float glow = std::exp(-(du * du + dv * dv) * 6.0f);
        sky = Screen(sky, Hex(0xFFC070) * (glow * 0.8f));
        return Clouds(sky, u, v, glow);
    }

    Colour Clouds(Colour sky, float u, float v, float glow) const {
        const float band = SmoothStep(0.08f, 0.2f, v) * (1 - SmoothStep(0.42f, 0.52f, v));
        if (band <= 0) return sky;
        const float n = Fractal(u * 2.2f + 3.1f, v * 16.0f, 5, 5);
        const float density = SmoothStep(0.05f, 0.45f, n + 0.2f * GradientNoise(u * 9, v * 40, 6)) * band;
        if (density <= 0) return sky;
        const float lower = SmoothStep(0.15f, 0.45f, v);
        const Colour lit = Mix(Hex(0xB05A8A), Hex(0xFFB070), Clamp01(lower * 0.6f + glow * 1.4f));
        const Colour shade = Mix(Hex(0x3A2E62), Hex(0x7A4472), lower);
        const float rim = SmoothStep(0.2f, 0.9f, Fractal(u * 5 + 7, v * 30, 8, 3) * 0.5f + 0.5f);
        return Mix(sky, Mix(shade, lit, rim), density * 0.85f);
    }

    Colour Stars(Colour sky, float u, float v) const {
        const float fade = 1 - SmoothStep(0.05f, 0.35f, v);
        if (fade <= 0) return sky;
        constexpr float Cell = 0.012f;
        const auto cx = static_cast<int32_t>(std::floor(u / Cell));
        const auto cy = static_cast<int32_t>(std::floor(v / Cell));
        if (HashUnit(cx, cy, 41) > 0.18f) return sky;
        const float sx = (cx + 0.2f + 0.6f * HashUnit(cx, cy, 42)) * Cell;
        const float sy = (cy + 0.2f + 0.6f * HashUnit(cx, cy, 43)) * Cell;
        const float d = std::hypot(u - sx, v - sy) * height_;
        const float light = std::exp(-d * d * 1.2f) * HashUnit(cx, cy, 44) * fade;
        return Screen(sky, Hex(0xE8ECFF) * light);
    }

    Colour EveningStar(Colour sky, float u, float v) const {
        const float d = std::hypot(u - 0.24f * aspect_, v - 0.13f) * height_;
        const float light = std::exp(-d * d * 0.25f) + 0.25f * std::exp(-d * 0.12f);
        return Screen(sky, Hex(0xFFF4DC) * light);
    }

    float ComputeRangeTop(const Range& range, float u) const {
        const float ridge = RidgedFractal(u * range.frequency, range.seed * 0.37f, range.seed, 6);
        // The far range dips where the sun went down, so its glow shows through the gap.
        const float gap = &range == &Ranges[0] ? 1 - 0.75f * std::exp(-std::pow((u - SunU * aspect_) * 5.0f, 2.0f)) : 1;
        return Horizon - (range.base + range.amplitude * (ridge - 0.35f)) * gap;
    }

    float RangeTop(int r, float u) const {
        const std::vector<float>& table = tops_[r];
        const float at = std::clamp((u + TableMargin) / tableStep_, 0.0f, static_cast<float>(table.size() - 2));
        const auto i = static_cast<size_t>(at);
        return Mix(table[i], table[i + 1], at - i);
    }

    // Pines along the near shore, on the right half.
    bool InPine(float u, float v) const {
        constexpr float Spacing = 0.018f;
        const float shoreTop = Horizon - 0.004f;
        if (v > Horizon || v < Horizon - 0.2f) return false;
        const auto cell = static_cast<int32_t>(std::floor(u / Spacing));
        for (int32_t i = cell - 2; i <= cell + 2; ++i) {
            const float centre = (i + HashUnit(i, 0, 51)) * Spacing;
            const float spread = SmoothStep(0.62f * aspect_, 0.85f * aspect_, centre) +
                                 0.5f * (1 - SmoothStep(0.05f, 0.2f, centre));
            const float height = (0.03f + 0.09f * HashUnit(i, 0, 52)) * spread;
            if (height < 0.01f) continue;
            const float rise = (shoreTop - v) / height;
            if (rise < -0.1f || rise > 1) continue;
            const float tiers = std::fmod(std::max(rise, 0.0f) * 6.0f, 1.0f);
            const float halfWidth = height * 0.2f * (1 - rise) * (0.7f + 0.5f * (1 - tiers));
            if (std::fabs(u - centre) < std::max(halfWidth, height * 0.012f)) return true;
        }
        return false;
    }

    Colour Above(float u, float v) const {
        Colour colour = Sky(u, v);
        if (v < 0.4f) colour = EveningStar(Stars(colour, u, v), u, v);
        for (int r = 0; r < RangeCount; ++r) {
            const Range& range = Ranges[r];
            const float top = RangeTop(r, u);
            if (v < top) continue;
            // Haze thickens toward each range's foot.
            const float haze = SmoothStep(top, Horizon + 0.02f, v) * 0.35f;
            colour = Mix(range.colour, Hex(0xE0A08A), haze * (range.base + 0.05f) * 3);
        }
        if (InPine(u, v)) colour = Hex(0x140F24);
        return colour;
    }

    Colour Water(float u, float v) const {
        const float depth = v - Horizon;
        const float distance = 1.0f / (depth + 0.02f);
        const float ripple = Fractal(u * 30 * distance * 0.05f, distance * 2.5f, 61, 4);
        const float sway = Fractal(u * 3, distance * 0.8f, 62, 3);
        const float mirroredV = Horizon - depth + ripple * depth * 0.06f;
        const float mirroredU = u + sway * depth * 0.02f;
        Colour colour = Above(mirroredU, std::max(mirroredV, 0.0f));
        colour = colour * Colour{0.78f, 0.8f, 0.9f};
        // Fine bright streaks where ripples catch the last light.
        const float streak = SmoothStep(0.55f, 0.9f, Fractal(u * 6, distance * 9.0f, 63, 3) + 0.3f);
        const float sunColumn = std::exp(-std::pow((u - SunU * aspect_) * 4.0f, 2.0f));
        colour = Screen(colour, Hex(0xFFB880) * (streak * sunColumn * 0.35f));
        // The far edge of the water gleams a little.
        const float edge = std::exp(-depth * 260.0f);
        return Screen(colour, Hex(0xFFD8A8) * (edge * 0.25f));
    }

    float aspect_;
    float height_;
    float tableStep_;
    std::array<std::vector<float>, RangeCount> tops_;
};

}  // namespace

RgbImage PaintDuskLake(int width, int height) {
    const DuskLake scene(width, height);
    return RenderShader(width, height, SamplesPerAxis, [&scene](float x, float y) { return scene(x, y); });
}
