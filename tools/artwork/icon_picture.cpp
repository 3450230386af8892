// The icon: a framed sunset picture with a second slide tilted behind it, on a soft
// shadow. The smallest size drops the tilt and the second slide so it stays crisp.
#include <cmath>
#include <numbers>

#include "colour.h"
#include "shader_render.h"
#include "small_pictures.h"

namespace {

constexpr int SamplesPerAxis = 4;
constexpr int PlainIconLimit = 24;  // at this side or below, the icon is drawn flat

struct Card {
    float cx, cy;        // centre, in icon sides
    float halfW, halfH;
    float angle;         // radians, counter-clockwise
    float frame;         // white border width
};

// Signed distance to a rounded rectangle centred at the origin.
float RoundedBox(float x, float y, float halfW, float halfH, float radius) {
    const float qx = std::fabs(x) - halfW + radius;
    const float qy = std::fabs(y) - halfH + radius;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

void ToCard(const Card& card, float x, float y, float& localX, float& localY) {
    const float dx = x - card.cx;
    const float dy = y - card.cy;
    const float c = std::cos(card.angle);
    const float s = std::sin(card.angle);
    localX = dx * c - dy * s;
    localY = dx * s + dy * c;
}

// The little landscape inside the front card; (x, y) run 0..1 across its window.
Colour Landscape(float x, float y) {
    const float horizon = 0.68f;
    if (y < horizon) {
        Colour sky = Mix(Hex(0x3A2A80), Hex(0xFF9A48), std::pow(y / horizon, 1.4f));
        const float sun = std::hypot(x - 0.68f, y - 0.4f);
        sky = Mix(sky, Hex(0xFFF0B0), SmoothStep(0.12f, 0.1f, sun));
        const float ridge = 0.52f + 0.1f * std::sin(x * 9.0f + 0.7f) + 0.05f * std::sin(x * 23.0f);
        if (y > ridge && x < 0.55f) return Hex(0x2A2050);
        if (y > ridge + 0.06f) return Hex(0x3E2C66);
        return sky;
    }
    const float shimmer = std::fabs(x - 0.68f) < 0.1f * (1 - (y - horizon) * 2.5f) ? 0.5f : 0.0f;
    return Mix(Hex(0x2A3A8A), Hex(0xFFC070), shimmer * (1 - (y - horizon) * 2));
}

CoveredColour Over(CoveredColour under, Colour colour, float alpha) {
    const float outAlpha = alpha + under.alpha * (1 - alpha);
    if (outAlpha <= 0) return {};
    const Colour mixed = (colour * alpha + under.colour * (under.alpha * (1 - alpha))) * (1 / outAlpha);
    return {mixed, outAlpha};
}

class IconScene {
public:
    explicit IconScene(int side) : side_(static_cast<float>(side)), plain_(side <= PlainIconLimit) {
        constexpr float Tilt = std::numbers::pi_v<float> / 180.0f;
        front_ = plain_ ? Card{0.5f, 0.5f, 0.47f, 0.36f, 0.0f, 1.0f / side}
                        : Card{0.53f, 0.54f, 0.41f, 0.31f, -5 * Tilt, 0.05f};
        back_ = Card{0.45f, 0.43f, 0.38f, 0.29f, 11 * Tilt, 0.05f};
    }

    CoveredColour operator()(float px, float py) const {
        const float x = px / side_;
        const float y = py / side_;
        CoveredColour result;
        if (!plain_) {
            result = Over(result, Hex(0x000000), Shadow(back_, x, y) * 0.3f);
            result = DrawCard(result, back_, x, y, false);
            result = Over(result, Hex(0x000000), Shadow(front_, x, y) * 0.35f);
        }
        return DrawCard(result, front_, x, y, true);
    }

private:
    float Shadow(const Card& card, float x, float y) const {
        float lx, ly;
        ToCard(card, x - 0.015f, y - 0.03f, lx, ly);
        return SmoothStep(0.04f, -0.02f, RoundedBox(lx, ly, card.halfW, card.halfH, 0.05f));
    }

    CoveredColour DrawCard(CoveredColour under, const Card& card, float x, float y, bool withPicture) const {
        float lx, ly;
        ToCard(card, x, y, lx, ly);
        const float radius = plain_ ? 0.0f : 0.04f;
        if (RoundedBox(lx, ly, card.halfW, card.halfH, radius) > 0) return under;
        const float innerW = card.halfW - card.frame;
        const float innerH = card.halfH - card.frame;
        const bool inWindow = std::fabs(lx) < innerW && std::fabs(ly) < innerH;
        if (!inWindow) {
            // A thin darker outline keeps the white frame visible on light backgrounds.
            const float edge = -RoundedBox(lx, ly, card.halfW, card.halfH, radius);
            const Colour frame = edge < (plain_ ? 0.0f : 0.012f) ? Hex(0x8A8A9A) : Hex(0xF6F4EE);
            return Over(under, plain_ ? Hex(0x5A5A6A) : frame, 1);
        }
        if (!withPicture) return Over(under, Mix(Hex(0x6A9AD8), Hex(0xCDE4F4), (ly / innerH + 1) / 2), 1);
        return Over(under, Landscape((lx / innerW + 1) / 2, (ly / innerH + 1) / 2), 1);
    }

    float side_;
    bool plain_;
    Card front_{};
    Card back_{};
};

}  // namespace

RgbaImage PaintIcon(int side) {
    const IconScene scene(side);
    return RenderCoverage(side, side, SamplesPerAxis, [&scene](float x, float y) { return scene(x, y); });
}
