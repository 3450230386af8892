// A glowing nebula: folded clouds of rose and teal gas around a golden core, dark dust
// lanes across it, and stars of every brightness, the brightest with soft spikes.
#include <cmath>

#include "colour.h"
#include "noise.h"
#include "pictures.h"
#include "shader_render.h"

namespace {

constexpr int SamplesPerAxis = 2;
constexpr float CoreU = 0.74f;  // in picture heights from the left
constexpr float CoreV = 0.46f;
constexpr float Exposure = 1.6f;

struct StarLayer {
    float cell;         // in picture heights; one candidate star per cell
    float chance;
    float brightness;
    float spikes;       // 0 for plain points
    uint32_t seed;
};

constexpr StarLayer StarLayers[] = {
    {0.007f, 0.3f, 0.5f, 0.0f, 501},
    {0.03f, 0.25f, 1.2f, 0.0f, 502},
    {0.1f, 0.35f, 2.4f, 1.0f, 503},
};

class Nebula {
public:
    explicit Nebula(int height) : height_(static_cast<float>(height)) {}

    Colour operator()(float x, float y) const {
        const float u = x / height_;
        const float v = y / height_;
        Colour light = GasAtPixel(x, y);
        for (const StarLayer& layer : StarLayers) light = light + Stars(layer, u, v);
        // Exposure tone curve: bright regions saturate softly instead of clipping.
        return {1 - std::exp(-light.r * Exposure), 1 - std::exp(-light.g * Exposure), 1 - std::exp(-light.b * Exposure)};
    }

private:
    // The gas is soft everywhere, so one evaluation per pixel serves all its samples; only
    // the stars need the finer sampling.
    Colour GasAtPixel(float x, float y) const {
        thread_local int cachedX = -1;
        thread_local int cachedY = -1;
        thread_local float cachedHeight = 0;
        thread_local Colour cached;
        const auto px = static_cast<int>(x);
        const auto py = static_cast<int>(y);
        if (px != cachedX || py != cachedY || height_ != cachedHeight) {
            cached = Gas((px + 0.5f) / height_, (py + 0.5f) / height_);
            cachedX = px;
            cachedY = py;
            cachedHeight = height_;
        }
        return cached;
    }

    Colour Gas(float u, float v) const {
        const float px = u * 2.2f;
        const float py = v * 2.2f;
        // Domain warping folds the clouds into filaments.
        const float qx = Fractal(px, py, 511, 4);
        const float qy = Fractal(px + 5.2f, py + 1.3f, 512, 4);
        const float density = Fractal(px + 2.2f * qx, py + 2.2f * qy, 513, 6) * 0.5f + 0.5f;
        const float hue = Fractal(px * 0.7f + qy, py * 0.7f - qx, 514, 3) * 0.5f + 0.5f;
        const float du = u - CoreU;
        const float dv = (v - CoreV) * 1.2f;
        const float radius = std::sqrt(du * du + dv * dv) * (1 + 0.35f * qx);
        const float envelope = std::exp(-radius * radius * 4.5f);
        const float core = std::exp(-radius * radius * 90.0f);
        const float gas = std::pow(density, 3.0f) * envelope * 3.4f;
        const Colour rose = Hex(0xF02850);
        const Colour teal = Hex(0x20B8C8);
        const Colour violet = Hex(0x6030B8);
        // Teal glows nearest the hot core, rose further out, violet in the thin outskirts.
        const float inner = SmoothStep(0.45f, 0.05f, radius + (hue - 0.5f) * 0.35f);
        const float outer = SmoothStep(0.35f, 0.8f, radius + (hue - 0.5f) * 0.4f);
        Colour emission = Mix(Mix(rose, violet, outer), teal, inner);
        Colour light = emission * gas + Hex(0xFFD89A) * (core * (0.4f + density));
        // Dust lanes: thin dark filaments that swallow the light behind them.
        const float lane = RidgedFractal(px * 1.4f + qy, py * 1.4f + qx, 515, 5);
        const float dust = SmoothStep(0.55f, 0.85f, lane) * SmoothStep(0.05f, 0.4f, envelope);
        light = light * (1 - 0.85f * dust);
        // A faint blue haze of the galaxy beyond.
        const float haze = SmoothStep(-0.2f, 0.8f, Fractal(u * 1.1f, v * 1.1f, 516, 3)) * 0.05f;
        return light + Hex(0x1A2A6A) * haze + Hex(0x03040C);
    }

    Colour Stars(const StarLayer& layer, float u, float v) const {
        const auto cx = static_cast<int32_t>(std::floor(u / layer.cell));
        const auto cy = static_cast<int32_t>(std::floor(v / layer.cell));
        Colour light;
        // Neighbouring cells too, so halos and spikes are not cut at cell borders.
        const int reach = layer.spikes > 0 ? 1 : 0;
        for (int32_t j = cy - reach; j <= cy + reach; ++j) {
            for (int32_t i = cx - reach; i <= cx + reach; ++i) {
                if (HashUnit(i, j, layer.seed) > layer.chance) continue;
                const float sx = (i + 0.1f + 0.8f * HashUnit(i, j, layer.seed + 10)) * layer.cell;
                const float sy = (j + 0.1f + 0.8f * HashUnit(i, j, layer.seed + 20)) * layer.cell;
                const float dx = (u - sx) * height_;
                const float dy = (v - sy) * height_;
                const float d2 = dx * dx + dy * dy;
                const float magnitude = std::pow(HashUnit(i, j, layer.seed + 30), 4.0f) * layer.brightness;
                float glow = std::exp(-d2 * 0.9f) * (0.06f + magnitude * 2) + magnitude * 0.04f * std::exp(-std::sqrt(d2) * 0.15f);
                if (layer.spikes > 0) {
                    const float spike = std::exp(-std::fabs(dx) * 1.6f) * std::exp(-std::fabs(dy) * 0.045f) +
                                        std::exp(-std::fabs(dy) * 1.6f) * std::exp(-std::fabs(dx) * 0.045f);
                    glow += spike * magnitude * 0.35f;
                }
                const float warmth = HashUnit(i, j, layer.seed + 40);
                light = light + Mix(Hex(0x9EC0FF), Hex(0xFFE0B0), warmth) * glow;
            }
        }
        return light;
    }

    float height_;
};

}  // namespace

RgbImage PaintNebula(int width, int height) {
    const Nebula scene(height);
    return RenderShader(width, height, SamplesPerAxis, [&scene](float x, float y) { return scene(x, y); });
}
