// A deep view into the valley of spirals on the edge of the Mandelbrot set, coloured by a
// smooth escape count that cycles from midnight blue through teal to gold, with the finest
// filaments glowing where the boundary is closest.
#include <cmath>
#include <numbers>

#include "colour.h"
#include "pictures.h"
#include "shader_render.h"

namespace {

constexpr int SamplesPerAxis = 2;
constexpr double CentreX = -0.743643887037151;
constexpr double CentreY = 0.131825904205330;
constexpr double ViewWidth = 0.0042;
constexpr int MaxIterations = 1200;
constexpr double EscapeRadiusSquared = 256.0 * 256.0;  // large, so the smooth count is accurate

struct Escape {
    bool escaped = false;
    float count = 0;     // smooth iteration count
    float distance = 0;  // estimated distance to the set, in pixels
};

class FractalSpiral {
public:
    FractalSpiral(int width, int height) : width_(width), height_(height) {}

    Colour operator()(float x, float y) const {
        const double scale = ViewWidth / width_;
        const double cx = CentreX + (x - width_ * 0.5) * scale;
        const double cy = CentreY - (y - height_ * 0.5) * scale;
        const Escape e = Iterate(cx, cy, scale);
        if (!e.escaped) return Hex(0x060818);
        return Shade(e);
    }

private:
    static Escape Iterate(double cx, double cy, double scale) {
        double zx = 0, zy = 0;
        double dzx = 0, dzy = 0;  // derivative of z with respect to c, for the distance estimate
        for (int i = 0; i < MaxIterations; ++i) {
            const double ndx = 2 * (zx * dzx - zy * dzy) + 1;
            const double ndy = 2 * (zx * dzy + zy * dzx);
            dzx = ndx;
            dzy = ndy;
            const double nx = zx * zx - zy * zy + cx;
            zy = 2 * zx * zy + cy;
            zx = nx;
            const double r2 = zx * zx + zy * zy;
            if (r2 > EscapeRadiusSquared) {
                const double logR = 0.5 * std::log(r2);
                Escape e;
                e.escaped = true;
                e.count = static_cast<float>(i + 1 - std::log2(logR / std::numbers::ln2));
                e.distance = static_cast<float>(std::sqrt(r2) * logR / std::hypot(dzx, dzy) / scale);
                return e;
            }
        }
        return {};
    }

    static Colour Shade(const Escape& e) {
        // Cycle through the colours along the logarithm of the count, so bands keep an even
        // width from the broad outer regions to the crowded filaments.
        static constexpr Colour Cycle[] = {Hex(0x0B1446), Hex(0x1F4FB0), Hex(0x22B4B4), Hex(0xF5DA90),
                                           Hex(0xE07A2A), Hex(0x8A1A48), Hex(0x0B1446)};
        const float t = std::log(e.count + 1.0f) * 1.6f + 0.1f;
        Colour colour = Ramp(Cycle, t - std::floor(t));
        // Within a few pixels of the set the bands crowd too closely to show; there the
        // filaments take one pale glowing colour instead.
        const float filament = std::exp(-e.distance * 0.35f);
        return Mix(colour, Hex(0xFFEAC0), filament * 0.85f);
    }

    int width_;
    int height_;
};

}  // namespace

RgbImage PaintFractalSpiral(int width, int height) {
    const FractalSpiral scene(width, height);
    return RenderShader(width, height, SamplesPerAxis, [&scene](float x, float y) { return scene(x, y); });
}
