// The sun setting over the open sea: a burning sky with lit cloud banks, the sun's path of
// glitter across the waves, a dark headland on the left and a few birds heading home.
#include <cmath>

#include "colour.h"
#include "noise.h"
#include "pictures.h"
#include "shader_render.h"

namespace {

constexpr int SamplesPerAxis = 2;
constexpr float Horizon = 0.6f;
constexpr float SunV = 0.57f;
constexpr float SunRadius = 0.055f;

struct Bird {
    float u;  // in picture widths
    float v;
    float span;
};

constexpr Bird Birds[] = {{0.27f, 0.2f, 0.022f}, {0.31f, 0.235f, 0.016f}, {0.345f, 0.215f, 0.012f}};

class SunsetSea {
public:
    SunsetSea(int width, int height) : aspect_(static_cast<float>(width) / height), height_(static_cast<float>(height)) {}

    Colour operator()(float x, float y) const {
        const float u = x / height_;
        const float v = y / height_;
        Colour colour = v < Horizon ? Sky(u, v, true) : Sea(u, v);
        if (InHeadland(u, v)) colour = Mix(Hex(0x1A0E22), Hex(0x2A1530), SmoothStep(0.3f, 0.75f, v));
        if (InBird(u, v)) colour = Hex(0x1C0F1E);
        return colour;
    }

private:
    float SunU() const { return aspect_ * 0.56f; }

    Colour Sky(float u, float v, bool withClouds) const {
        static constexpr Colour Stops[] = {Hex(0x1E1850), Hex(0x5A2A6A), Hex(0xB8445E), Hex(0xF0703E), Hex(0xFFA844),
                                           Hex(0xFFD27A)};
        Colour sky = Ramp(Stops, std::pow(Clamp01(v / Horizon), 1.3f));
        const float du = u - SunU();
        const float dv = v - SunV;
        const float distance = std::sqrt(du * du + dv * dv);
        const float outside = std::max(distance - SunRadius, 0.0f);
        const float halo = std::exp(-outside * 14.0f) * 0.55f + std::exp(-outside * 2.5f) * 0.25f;
        sky = Screen(sky, Hex(0xFFB850) * halo);
        // The disc itself, only slightly warmer toward its rim.
        const float disc = SmoothStep(SunRadius, SunRadius - 0.0025f, distance);
        const Colour sunColour = Mix(Hex(0xFFF8E0), Hex(0xFFE0A0), std::pow(distance / SunRadius, 3.0f));
        sky = Mix(sky, sunColour, disc);
        return withClouds ? Clouds(sky, u, v, distance) : sky;
    }

    Colour Clouds(Colour sky, float u, float v, float sunDistance) const {
        const float band = SmoothStep(0.1f, 0.2f, v) * (1 - SmoothStep(0.5f, 0.57f, v));
        if (band <= 0) return sky;
        auto density = [&](float a, float b) {
            const float n = Fractal(a * 1.8f, b * 9.0f, 601, 6);
            return SmoothStep(0.0f, 0.35f, n + 0.15f * std::sin(b * 25)) * band;
        };
        const float d = density(u, v);
        if (d <= 0) return sky;
        // Light comes from below and behind: the undersides glow, the tops stay in shadow.
        const float below = density(u, v + 0.012f);
        const float underside = Clamp01((d - below) * 3 + 0.3f);
        const float heat = std::exp(-sunDistance * 4.0f);
        const Colour shadow = Mix(Hex(0x3A1E4A), Hex(0x7A3450), SmoothStep(0.15f, 0.5f, v));
        const Colour lit = Mix(Hex(0xFF7A50), Hex(0xFFE0A0), heat);
        const Colour cloud = Mix(shadow, lit, underside * (0.45f + 0.55f * heat) + 0.25f * heat);
        return Mix(sky, cloud, d * 0.92f);
    }

    Colour Sea(float u, float v) const {
        const float depth = v - Horizon;
        const float z = 0.03f / (depth + 0.002f);  // distance along the sea
        const float wx = (u - SunU()) * z * 40;
        const float wz = z * 70;
        const float detail = 1 - SmoothStep(1.5f, 6.0f, z);  // far waves are too fine to show
        const float swell = Fractal(wx * 0.3f, wz * 1.0f, 611, 4) * detail;
        const float chop = Fractal(wx * 0.9f, wz * 3.0f, 612, 3) * detail;
        const float tilt = swell * 0.6f + chop * 0.4f;
        // Reflect the sky about the horizon, bent by the tilt of the waves.
        const float mirrored = Horizon - depth * (0.9f + 0.5f * tilt) - 0.004f;
        Colour reflected = Sky(u + chop * depth * 0.05f, std::max(mirrored, 0.0f), false);
        const float fresnel = 0.3f + 0.7f * std::exp(-depth * 10.0f);
        Colour colour = Mix(Hex(0x221848), reflected * 0.9f, fresnel);
        // Troughs darker, crests catching the warm sky.
        colour = colour * (0.82f + 0.3f * (swell * 0.5f + 0.5f));
        colour = Screen(colour, Hex(0xFF9A60) * (SmoothStep(0.2f, 0.7f, chop) * 0.12f));
        // Glitter: wave facets turned just right toward the sun, gathered in a widening path.
        const float path = std::exp(-std::pow((u - SunU()) / (0.03f + depth * 0.55f), 2.0f));
        const float facet = SmoothStep(0.55f, 0.85f, Fractal(wx * 2.0f, wz * 5.0f, 613, 3) * 0.5f + 0.5f + chop * 0.3f);
        const float glitter = path * (0.12f + facet * 1.3f) * (0.3f + 0.7f * std::exp(-depth * 4.0f));
        colour = Screen(colour, Hex(0xFFC070) * glitter);
        return Screen(colour, Hex(0xFFB060) * (std::exp(-depth * 90.0f) * 0.4f));
    }

    bool InHeadland(float u, float v) const {
        const float w = u / aspect_;
        if (w > 0.3f) return false;
        const float rise = 0.12f * std::pow(SmoothStep(0.3f, 0.0f, w), 1.5f) + 0.012f * Fractal(w * 22, 1.0f, 621, 4);
        const float top = Horizon - rise + 0.006f;
        return v > top && v < Horizon + 0.04f * (1 - w / 0.3f) + 0.005f;
    }

    bool InBird(float u, float v) const {
        for (const Bird& bird : Birds) {
            const float dx = (u - bird.u * aspect_) / bird.span;
            const float dy = (v - bird.v) / bird.span;
            if (std::fabs(dx) > 1) continue;
            // Two curved wings meeting at the body.
            const float wing = 0.35f * (std::fabs(dx) - dx * dx * 0.8f) - 0.1f;
            const float thickness = 0.09f * (1 - std::fabs(dx) * 0.8f);
            if (std::fabs(-dy - wing) < thickness) return true;
        }
        return false;
    }

    float aspect_;
    float height_;
};

}  // namespace

RgbImage PaintSunsetSea(int width, int height) {
    const SunsetSea scene(width, height);
    return RenderShader(width, height, SamplesPerAxis, [&scene](float x, float y) { return scene(x, y); });
}
