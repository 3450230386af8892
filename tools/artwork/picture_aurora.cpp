// Northern lights over a snowy range: green curtains with violet crowns above dark peaks,
// the snow catching their glow, and a small cabin with a lit window among spruces.
#include <algorithm>
#include <cmath>
#include <vector>

#include "colour.h"
#include "noise.h"
#include "pictures.h"
#include "shader_render.h"

namespace {

constexpr int SamplesPerAxis = 2;
constexpr float RangeFoot = 0.74f;  // where the mountains meet the snowfield, in picture heights
constexpr int TableStepsPerPixel = 4;

struct Curtain {
    float base;     // lower edge, in picture heights from the top
    float sway;     // how far the edge wanders
    float strength;
    uint32_t seed;
};

constexpr Curtain Curtains[] = {{0.34f, 0.06f, 1.0f, 101}, {0.2f, 0.05f, 0.5f, 202}};

class AuroraNight {
public:
    AuroraNight(int width, int height) : aspect_(static_cast<float>(width) / height), height_(static_cast<float>(height)) {
        step_ = 1.0f / (height_ * TableStepsPerPixel);
        const int count = static_cast<int>(aspect_ / step_) + 2;
        ridge_.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) ridge_[i] = ComputeRidge(i * step_);
    }

    Colour operator()(float x, float y) const {
        const float u = x / height_;
        const float v = y / height_;
        const float top = Lookup(u);
        if (v < top) return Sky(u, v);
        if (v < RangeFoot + 0.005f + 0.01f * std::sin(u * 3)) return Mountain(u, v, top);
        return Foreground(u, v);
    }

private:
    float ComputeRidge(float u) const {
        const float peaks = RidgedFractal(u * 2.6f + 4, 1.7f, 303, 7);
        const float swell = 0.5f + 0.5f * std::sin(u * 2.4f + 0.6f);
        return RangeFoot - 0.05f - 0.26f * peaks * (0.45f + 0.55f * swell);
    }

    float Lookup(float u) const {
        const float at = std::clamp(u / step_, 0.0f, static_cast<float>(ridge_.size() - 2));
        const auto i = static_cast<size_t>(at);
        return Mix(ridge_[i], ridge_[i + 1], at - i);
    }

    Colour AuroraLight(float u, float v) const {
        Colour light;
        for (const Curtain& c : Curtains) {
            // Each curtain sweeps across the sky in a long S and thins out at its ends.
            const float edge = c.base + 0.13f * std::sin(u * 2.1f + c.seed) + c.sway * Fractal(u * 1.3f, 0.5f, c.seed, 4);
            const float reach = SmoothStep(-0.4f, 0.6f, Fractal(u * 0.9f, 1.5f, c.seed + 4, 2) + 0.25f);
            const float rise = edge - v;  // height above the lower edge
            if (rise < -0.02f) continue;
            const float foot = SmoothStep(-0.02f, 0.01f, rise) * (1 + 0.8f * std::exp(-std::fabs(rise - 0.012f) * 60));
            const float fall = std::exp(-std::max(rise, 0.0f) * 8.0f);
            // Rays follow the folds of the curtain.
            const float fold = Fractal(u * 2.0f, v * 1.2f, c.seed + 1, 3);
            const float rays = 0.45f + 0.55f * SmoothStep(-0.3f, 0.7f, Fractal(u * 38 + fold * 6, v * 1.5f, c.seed + 2, 3));
            const float pulse = 0.55f + 0.45f * SmoothStep(-0.5f, 0.5f, Fractal(u * 3.5f, 0.2f, c.seed + 3, 3));
            const float intensity = foot * fall * rays * pulse * reach * c.strength;
            const Colour hue = Mix(Hex(0x40FFA0), Hex(0x9A40FF), SmoothStep(0.05f, 0.22f, rise));
            const Colour low = Mix(hue, Hex(0xFF5AA0), SmoothStep(-0.01f, -0.02f, rise) * 0.5f);
            light = light + low * intensity;
        }
        return light;
    }

    Colour Sky(float u, float v) const {
        static constexpr Colour Stops[] = {Hex(0x020512), Hex(0x061030), Hex(0x0A2240), Hex(0x14384A)};
        Colour sky = Ramp(Stops, v / RangeFoot);
        constexpr float Cell = 0.009f;
        const auto cx = static_cast<int32_t>(std::floor(u / Cell));
        const auto cy = static_cast<int32_t>(std::floor(v / Cell));
        if (HashUnit(cx, cy, 111) < 0.22f) {
            const float sx = (cx + 0.15f + 0.7f * HashUnit(cx, cy, 112)) * Cell;
            const float sy = (cy + 0.15f + 0.7f * HashUnit(cx, cy, 113)) * Cell;
            const float d = std::hypot(u - sx, v - sy) * height_;
            const float brightness = std::pow(HashUnit(cx, cy, 114), 3.0f);
            sky = Screen(sky, Mix(Hex(0xAFC8FF), Hex(0xFFF0D8), HashUnit(cx, cy, 115)) *
                                  (std::exp(-d * d * 1.5f) * (0.25f + brightness)));
        }
        return Screen(sky, AuroraLight(u, v));
    }

    // The face of the range as a height field, lit from the upper left; snow settles on the
    // ledges that face upward and thins out toward the foot.
    float Relief(float u, float v) const { return RidgedFractal(u * 5.5f, v * 5.5f, 404, 6); }

    Colour Mountain(float u, float v, float top) const {
        constexpr float Step = 0.0015f;
        constexpr float Depth = 0.12f;  // how strongly the relief bends the normals
        const float below = v - top;
        const float crestSlope = (Lookup(u + 0.004f) - Lookup(u - 0.004f)) / 0.008f;
        const float crestWeight = std::exp(-below * 8);
        float nx = (Relief(u + Step, v) - Relief(u - Step, v)) / (2 * Step) * Depth + crestSlope * crestWeight;
        float ny = (Relief(u, v + Step) - Relief(u, v - Step)) / (2 * Step) * Depth;
        float nz = 1;
        const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
        nx /= length;
        ny /= length;
        nz /= length;
        constexpr float Lx = -0.62f, Ly = -0.38f, Lz = 0.69f;
        const float lit = std::max(0.0f, nx * Lx + ny * Ly + nz * Lz);
        const float snow = SmoothStep(0.1f, 0.45f, -ny + 0.55f - below * 2.2f);
        const Colour rock = Mix(Hex(0x0B1524), Hex(0x2A3A52), lit);
        const Colour snowColour = Mix(Hex(0x28465E), Hex(0xC8F0E8), lit * lit);
        Colour colour = Mix(rock, snowColour, snow);
        colour = Mix(colour, Hex(0x1E3C4C), SmoothStep(0.02f, 0.2f, below) * 0.6f);
        // Mist gathers at the foot of the range.
        const float mist = SmoothStep(RangeFoot - 0.07f, RangeFoot + 0.005f, v);
        colour = Mix(colour, Hex(0x3A6A78), mist * 0.85f);
        return Screen(colour, Hex(0x40FFA0) * 0.04f);
    }

    bool InSpruce(float u, float v, float ground) const {
        constexpr float Spacing = 0.035f;
        const auto cell = static_cast<int32_t>(std::floor(u / Spacing));
        for (int32_t i = cell - 2; i <= cell + 2; ++i) {
            if (HashUnit(i, 1, 121) < 0.35f) continue;
            const float centre = (i + HashUnit(i, 1, 122)) * Spacing;
            if (centre > 0.9f && centre < 1.05f) continue;  // keep the cabin clear
            const float height = 0.05f + 0.07f * HashUnit(i, 1, 123);
            const float rise = (ground + 0.004f - v) / height;
            if (rise < 0 || rise > 1) continue;
            const float tiers = std::fmod(rise * 7.0f, 1.0f);
            const float halfWidth = height * 0.22f * (1 - rise) * (0.65f + 0.5f * (1 - tiers));
            if (std::fabs(u - centre) < std::max(halfWidth, height * 0.015f)) return true;
        }
        return false;
    }

    // A small cabin: walls, a snowy roof and one warm window.
    bool Cabin(float u, float v, float ground, Colour& colour) const {
        constexpr float Left = 0.93f;
        constexpr float Right = 1.02f;
        constexpr float Eaves = 0.05f;
        constexpr float Ridge = 0.085f;
        const float centre = (Left + Right) / 2;
        const float roofHalf = (Right - Left) / 2 + 0.012f;
        const float roofY = ground - Eaves - (Ridge - Eaves) * (1 - std::fabs(u - centre) / roofHalf);
        const bool inWall = u > Left && u < Right && v > ground - Eaves && v < ground + 0.004f;
        const bool inRoof = std::fabs(u - centre) < roofHalf && v > roofY && v <= ground - Eaves + 0.004f;
        if (!inWall && !inRoof) return false;
        if (inRoof) {
            colour = v < roofY + 0.008f ? Hex(0xA8D4D8) : Hex(0x141A26);
            return true;
        }
        const bool window = u > Left + 0.022f && u < Left + 0.045f && v > ground - 0.037f && v < ground - 0.015f;
        const bool mullion = std::fabs(u - (Left + 0.0335f)) < 0.0012f || std::fabs(v - (ground - 0.026f)) < 0.0012f;
        colour = window && !mullion ? Hex(0xFFC46A) : Hex(0x161222);
        return true;
    }

    Colour Foreground(float u, float v) const {
        const float hill = 0.86f + 0.035f * std::sin(u * 2.2f + 1.3f) + 0.012f * Fractal(u * 4, 2.5f, 131, 3);
        Colour colour;
        const float far = SmoothStep(RangeFoot, 1.0f, v);
        colour = Mix(Hex(0x3A6A78), Hex(0x16304A), far);
        // The near hill is lit green by the aurora from behind.
        if (v > hill) colour = Mix(Hex(0x4E8C8C), Hex(0x1A3550), SmoothStep(hill, 1.0f, v));
        const float sheen = SmoothStep(0.2f, 0.9f, Fractal(u * 6, v * 30, 132, 3) + 0.4f);
        colour = Screen(colour, Hex(0x60FFB0) * (sheen * 0.08f));
        const float sparkle = HashUnit(static_cast<int32_t>(u * height_), static_cast<int32_t>(v * height_), 133);
        if (sparkle > 0.9985f) colour = Screen(colour, Hex(0xD0FFF0) * 0.6f);
        const float ground = std::min(hill, 1.2f);
        Colour cabin;
        if (Cabin(u, v, hill + 0.012f, cabin)) return cabin;
        if (InSpruce(u, v, ground)) return Hex(0x07101A);
        return colour;
    }

    float aspect_;
    float height_;
    float step_;
    std::vector<float> ridge_;
};

}  // namespace

RgbImage PaintAurora(int width, int height) {
    const AuroraNight scene(width, height);
    return RenderShader(width, height, SamplesPerAxis, [&scene](float x, float y) { return scene(x, y); });
}
