// A stained-glass rose window lit from behind: a golden heart, twelve petals of ruby and
// cobalt, a ring of emerald roundels and twenty-four lancets, held in lead and stone
// tracery and set in a softly lit masonry wall.
#include <cmath>
#include <numbers>

#include "colour.h"
#include "noise.h"
#include "pictures.h"
#include "shader_render.h"

namespace {

constexpr int SamplesPerAxis = 3;
constexpr float WindowRadius = 0.47f;  // in picture heights
constexpr float Pi = std::numbers::pi_v<float>;
constexpr float LeadWidth = 0.0035f;   // half widths, in window radii
constexpr float StoneWidth = 0.011f;

constexpr float HeartEdge = 0.16f;
constexpr float PetalEdge = 0.56f;
constexpr float RoundelEdge = 0.65f;
constexpr float LancetEdge = 0.95f;

constexpr Colour Ruby = Hex(0xC0142E);
constexpr Colour Cobalt = Hex(0x1A3CC0);
constexpr Colour Amber = Hex(0xF0A020);
constexpr Colour Emerald = Hex(0x14A050);
constexpr Colour Violet = Hex(0x6A22A8);
constexpr Colour Gold = Hex(0xFFD040);
constexpr Colour Turquoise = Hex(0x10A0B8);

enum class Part { Glass, Lead, Stone };

struct Sample {
    Part part = Part::Glass;
    Colour glass;
    int piece = 0;  // tells neighbouring panes apart
};

constexpr Sample LeadSample{Part::Lead, {}, 0};
constexpr Sample StoneSample{Part::Stone, {}, 0};

// Position within a sector of `count` equal sectors: its index and the angle from its middle.
void Sector(float angle, int count, int& index, float& offset) {
    const float width = 2 * Pi / count;
    const float turns = (angle + Pi) / width;
    index = static_cast<int>(std::floor(turns)) % count;
    offset = (turns - std::floor(turns) - 0.5f) * width;
}

class RoseWindow {
public:
    RoseWindow(int width, int height) : cx_(width * 0.5f / height), height_(static_cast<float>(height)) {}

    Colour operator()(float x, float y) const {
        const float u = x / height_;
        const float v = y / height_;
        const float dx = (u - cx_) / WindowRadius;
        const float dy = (v - 0.5f) / WindowRadius;
        const float r = std::sqrt(dx * dx + dy * dy);
        if (r > 1) return Wall(u, v, r);
        const Sample sample = Trace(r, std::atan2(dy, dx));
        switch (sample.part) {
            case Part::Lead: return Hex(0x15110F);
            case Part::Stone: return Stone(u, v, r);
            case Part::Glass: break;
        }
        return Glass(sample, dx, dy, r);
    }

private:
    Sample Trace(float r, float angle) const {
        const float ring = std::min({std::fabs(r - HeartEdge), std::fabs(r - PetalEdge), std::fabs(r - RoundelEdge)});
        if (r > LancetEdge) return StoneSample;
        if (ring < StoneWidth * (r > PetalEdge - 0.01f ? 1.0f : 0.45f)) return r > PetalEdge - 0.01f ? StoneSample : LeadSample;
        if (r < HeartEdge) return Heart(r, angle);
        if (r < PetalEdge) return Petals(r, angle);
        if (r < RoundelEdge) return Roundels(r, angle);
        return Lancets(r, angle);
    }

    static Sample Heart(float r, float angle) {
        int index;
        float offset;
        Sector(angle, 8, index, offset);
        if (r < 0.055f) return {Part::Glass, Ruby, 1};
        if (std::fabs(r - 0.055f) < LeadWidth) return LeadSample;
        // An eight-pointed star of gold on amber.
        const float star = 0.07f + 0.08f * (1 - std::fabs(offset) / (Pi / 8));
        if (std::fabs(r - star) < LeadWidth * 1.4f) return LeadSample;
        return r < star ? Sample{Part::Glass, Gold, 2 + index} : Sample{Part::Glass, Amber * 0.85f, 20 + index};
    }

    static Sample Petals(float r, float angle) {
        int index;
        float offset;
        Sector(angle, 12, index, offset);
        const float px = r * std::cos(offset);
        const float py = r * std::sin(offset);
        // Each petal is the overlap of two circles: a pointed oval along its spoke.
        const float d1 = std::hypot(px - 0.2f, py - 0.19f) - 0.31f;
        const float d2 = std::hypot(px - 0.2f, py + 0.19f) - 0.31f;
        const float petal = std::max(d1, d2);
        const float centre = std::hypot(px - 0.37f, py) - 0.055f;
        if (std::fabs(petal) < LeadWidth * 1.3f || std::fabs(centre) < LeadWidth) return LeadSample;
        if (centre < 0) return {Part::Glass, Gold, 100 + index};
        if (petal < 0) {
            if (std::fabs(py) < LeadWidth) return LeadSample;
            return {Part::Glass, index % 2 ? Cobalt : Ruby, 200 + index * 2 + (py > 0)};
        }
        if (std::fabs(offset) > Pi / 12 - LeadWidth / std::max(r, 0.01f)) return LeadSample;
        // The ground between the petals is cut again by an arc near its outer edge.
        if (std::fabs(r - 0.47f) < LeadWidth) return LeadSample;
        if (r > 0.47f) return {Part::Glass, index % 2 ? Turquoise * 0.8f : Violet, 320 + index};
        return {Part::Glass, index % 2 ? Violet : Turquoise * 0.8f, 300 + index};
    }

    static Sample Roundels(float r, float angle) {
        int index;
        float offset;
        Sector(angle, 24, index, offset);
        const float px = r * std::cos(offset);
        const float py = r * std::sin(offset);
        const float mid = (PetalEdge + RoundelEdge) / 2;
        const float roundel = std::hypot(px - mid, py) - 0.03f;
        if (std::fabs(roundel) < LeadWidth) return LeadSample;
        if (roundel < 0) return {Part::Glass, Emerald, 400 + index};
        return {Part::Glass, index % 2 ? Ruby : Cobalt * 0.9f, 500 + index};
    }

    static Sample Lancets(float r, float angle) {
        int index;
        float offset;
        Sector(angle, 24, index, offset);
        const float across = r * offset;  // distance from the lancet's centre line
        const float halfWidth = r * Pi / 24;
        if (std::fabs(across) > halfWidth - StoneWidth * 0.8f) return StoneSample;
        // A pointed arch closes each lancet toward the rim.
        const float arch = LancetEdge - 0.012f - 0.06f * std::sqrt(std::fabs(across) / halfWidth);
        if (r > arch) return StoneSample;
        if (std::fabs(r - arch) < StoneWidth * 0.5f) return StoneSample;
        const int band = r < 0.75f ? 0 : r < 0.85f ? 1 : 2;
        if (std::fabs(r - 0.75f) < LeadWidth || std::fabs(r - 0.85f) < LeadWidth || std::fabs(across) < LeadWidth) return LeadSample;
        static constexpr Colour Bands[3][2] = {{Amber, Ruby}, {Cobalt, Emerald}, {Violet, Gold}};
        const Colour colour = Bands[band][(index + band) % 2];
        return {Part::Glass, colour, 600 + index * 8 + band * 2 + (across > 0)};
    }

    Colour Glass(const Sample& sample, float dx, float dy, float r) const {
        // Old glass is uneven: each pane has its own tint, mottled, brightest near the middle.
        const float tint = 0.82f + 0.3f * HashUnit(sample.piece, 7, 701);
        const float mottle = 0.85f + 0.3f * Fractal(dx * 14, dy * 14, 702 + static_cast<uint32_t>(sample.piece % 5), 4);
        const float light = 1.3f - 0.35f * r;
        Colour colour = sample.glass * (tint * mottle * light);
        const float streak = SmoothStep(0.6f, 0.95f, Fractal(dx * 4 + dy * 9, dy * 4 - dx * 9, 703, 3) + 0.3f);
        return Screen(colour, Hex(0xFFF0D0) * (streak * 0.18f));
    }

    Colour Stone(float u, float v, float r) const {
        const float grain = Fractal(u * 60, v * 60, 711, 3) * 0.06f;
        // The outer moulding is carved in rounded steps; the tracery inside is lit by the glass.
        const float moulding = r > LancetEdge ? 0.18f * std::sin((r - LancetEdge) / (1 - LancetEdge) * Pi * 2.0f) : 0.0f;
        return Hex(0x9A8870) * (0.5f + 0.25f * (1 - r) + moulding + grain);
    }

    Colour Wall(float u, float v, float r) const {
        constexpr float Course = 0.085f;  // height of one row of blocks
        constexpr float BlockLength = 0.19f;
        const float row = std::floor(v / Course);
        const float shift = std::fmod(row, 2.0f) * BlockLength * 0.5f;
        const float along = (u + shift) / BlockLength;
        const float across = v / Course;
        const float jointU = std::fabs(along - std::round(along)) * BlockLength;
        const float jointV = std::fabs(across - std::round(across)) * Course;
        const float mortar = SmoothStep(0.004f, 0.0015f, std::min(jointU, jointV));
        const float block = HashUnit(static_cast<int32_t>(std::floor(along)), static_cast<int32_t>(row), 721);
        const float texture = Fractal(u * 30, v * 30, 722, 4) * 0.08f;
        Colour stone = Mix(Hex(0x4A3E34), Hex(0x5C4E40), block) * (1 + texture);
        stone = Mix(stone, Hex(0x2A221C), mortar * 0.6f);
        // Coloured light spills from the window onto the wall.
        const float spill = std::exp(-(r - 1) * 2.2f);
        const Colour glow = Mix(Hex(0xFFB060), Hex(0x8070FF), 0.5f + 0.5f * std::sin(std::atan2(v - 0.5f, u - cx_) * 3));
        stone = stone * (0.25f + 0.6f * spill) + glow * (0.1f * spill);
        // A shadow where the window's frame stands out from the wall.
        return stone * (1 - 0.5f * SmoothStep(1.04f, 1.0f, r));
    }

    float cx_;
    float height_;
};

}  // namespace

RgbImage PaintRoseWindow(int width, int height) {
    const RoseWindow scene(width, height);
    return RenderShader(width, height, SamplesPerAxis, [&scene](float x, float y) { return scene(x, y); });
}
