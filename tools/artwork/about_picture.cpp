// The About picture: on white, a fan of three slides showing the slideshow's own
// pictures, the product name set in the pixel font with a sunset gradient, the version,
// and the credit line.
#include <cmath>
#include <numbers>
#include <string_view>

#include "colour.h"
#include "image_ops.h"
#include "pixel_font.h"
#include "shader_render.h"
#include "small_pictures.h"

namespace {

constexpr int SamplesPerAxis = 4;
constexpr int CardWidth = 112;   // outside of the white frame, in pixels
constexpr int CardHeight = 86;
constexpr float CardFrame = 5;
constexpr int FanCount = 3;

struct Line {
    std::string_view text;
    float scale;       // pixels per font cell
    float centreX;
    float top;
};

constexpr Line Title{"Slide", 5.0f, 256, 38};
constexpr Line Subtitle{"Screen Saver", 2.0f, 256, 86};
constexpr Line Version{AboutVersionLine, 2.0f, 256, 126};
constexpr Line Credit{"(C) 2026 the Slide team", 2.0f, AboutWidth / 2.0f, 200};
constexpr float RuleY = 112;

struct FanCard {
    float cx, cy;
    float degrees;
};

constexpr FanCard Fan[FanCount] = {{78, 112, -13}, {90, 104, -1}, {100, 100, 11}};

bool Inked(const Line& line, float x, float y) {
    const float left = line.centreX - TextCells(line.text) * line.scale / 2;
    return TextCovers(line.text, (x - left) / line.scale, (y - line.top) / line.scale);
}

class AboutScene {
public:
    // The thumbnails are made at the picture's scale, so a larger picture shows them in more detail.
    AboutScene(const std::vector<const RgbImage*>& pictures, int percent) : thumbnailScale_(percent / 100.0f) {
        for (int i = 0; i < FanCount; ++i) {
            const RgbImage& picture = *pictures[static_cast<size_t>(i) % pictures.size()];
            thumbnails_[i] = Resize(picture, ScaledArtworkLength(CardWidth - 2 * static_cast<int>(CardFrame), percent),
                                    ScaledArtworkLength(CardHeight - 2 * static_cast<int>(CardFrame), percent));
        }
    }

    Colour operator()(float x, float y) const {
        Colour colour = Hex(0xFFFFFF);
        for (int i = 0; i < FanCount; ++i) colour = DrawCard(colour, i, x, y);
        if (Inked(Title, x, y)) {
            const float t = (x - (Title.centreX - 75)) / 150;
            colour = Mix(Mix(Hex(0xF08A30), Hex(0xC83A6A), Clamp01(t * 2)), Hex(0x4A2A8A), Clamp01(t * 2 - 1));
        }
        if (Inked(Subtitle, x, y)) colour = Hex(0x2A2A3A);
        if (Inked(Version, x, y)) colour = Hex(0x70707C);
        if (Inked(Credit, x, y)) colour = Hex(0x5A5A66);
        if (std::fabs(y - RuleY) < 0.75f && std::fabs(x - Title.centreX) < 70) {
            colour = Mix(Hex(0xF0A050), Hex(0x6A4AB0), (x - Title.centreX + 70) / 140);
        }
        return colour;
    }

private:
    Colour DrawCard(Colour under, int index, float x, float y) const {
        const FanCard& card = Fan[index];
        const float angle = card.degrees * std::numbers::pi_v<float> / 180;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        // Soft shadow, offset down and right.
        const float sx = (x - card.cx - 3) * c + (y - card.cy - 4) * s;
        const float sy = -(x - card.cx - 3) * s + (y - card.cy - 4) * c;
        const float outside = std::max(std::fabs(sx) - CardWidth / 2.0f, std::fabs(sy) - CardHeight / 2.0f);
        under = Mix(under, Hex(0x30303A), SmoothStep(5.0f, -3.0f, outside) * 0.3f);
        const float lx = (x - card.cx) * c + (y - card.cy) * s;
        const float ly = -(x - card.cx) * s + (y - card.cy) * c;
        if (std::fabs(lx) > CardWidth / 2.0f || std::fabs(ly) > CardHeight / 2.0f) return under;
        const float innerX = lx + CardWidth / 2.0f - CardFrame;
        const float innerY = ly + CardHeight / 2.0f - CardFrame;
        const RgbImage& thumbnail = thumbnails_[index];
        const float thumbnailX = innerX * thumbnailScale_;
        const float thumbnailY = innerY * thumbnailScale_;
        if (thumbnailX >= 0 && thumbnailY >= 0 && thumbnailX < thumbnail.width && thumbnailY < thumbnail.height) {
            return SampleBilinear(thumbnail, thumbnailX, thumbnailY);
        }
        const bool outline = std::fabs(lx) > CardWidth / 2.0f - 0.8f || std::fabs(ly) > CardHeight / 2.0f - 0.8f;
        return outline ? Hex(0xB8B8C0) : Hex(0xFAFAF7);
    }

    float thumbnailScale_;
    RgbImage thumbnails_[FanCount];
};

}  // namespace

RgbImage PaintAboutPicture(const std::vector<const RgbImage*>& pictures, int percent) {
    const AboutScene scene(pictures, percent);
    const float designPerPixel = 100.0f / static_cast<float>(percent);
    return RenderShader(ScaledArtworkLength(AboutWidth, percent), ScaledArtworkLength(AboutHeight, percent), SamplesPerAxis,
                        [&scene, designPerPixel](float x, float y) { return scene(x * designPerPixel, y * designPerPixel); });
}
