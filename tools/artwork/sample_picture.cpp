// The settings dialog's sample: a little monitor on its stand, its screen showing the
// saver at work (a slideshow picture over the dimmed desktop). Everything outside the
// monitor is the transparent ground.
#include <algorithm>

#include "colour.h"
#include "colour_quantiser.h"
#include "image_ops.h"
#include "shader_render.h"
#include "small_pictures.h"

namespace {

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

constexpr Box Bezel{6, 12, 130, 102};
constexpr Box Screen{12, 18, 124, 96};
constexpr Box Neck{58, 102, 78, 116};
constexpr Box Base{38, 116, 98, 124};
constexpr Box Thumbnail{46, 28, 110, 76};
constexpr Box Taskbar{12, 91, 124, 96};
constexpr Box Led{119, 98, 122, 100};
constexpr float Dimmed = 0.45f;  // the saver's backdrop brightness shown in the sample
constexpr Rgb8 GroundColour{0xC0, 0xC0, 0xC0};

bool IsCorner(const Box& box, int x, int y) {
    return (x == box.left || x == box.right - 1) && (y == box.top || y == box.bottom - 1);
}

bool InMotif(int x, int y) {
    if (Bezel.Contains(x, y)) return !IsCorner(Bezel, x, y);
    if (Neck.Contains(x, y)) return true;
    // The base narrows toward its top edge.
    if (y == Base.top) return x >= Base.left + 2 && x < Base.right - 2;
    return Base.Contains(x, y) && !IsCorner(Base, x, y);
}

// A pixel of the picture at its scale: the pixel of the 136 x 136 design it falls in, for
// the outlines, and its centre in design units, for the gradients.
struct DesignPoint {
    int x, y;
    float u, v;
};

Colour Desktop(const DesignPoint& p) {
    const int x = p.x;
    const int y = p.y;
    Colour colour = Mix(Hex(0x2E7E86), Hex(0x1E5A70), (p.v - Screen.top) / (Screen.bottom - Screen.top));
    // Three desktop icons with their labels down the left side.
    for (int i = 0; i < 3; ++i) {
        const int top = Screen.top + 4 + i * 14;
        if (x >= Screen.left + 4 && x < Screen.left + 11 && y >= top && y < top + 7) {
            colour = i == 1 ? Hex(0xE8C84A) : Hex(0xDCE4F0);
        }
        if (x >= Screen.left + 3 && x < Screen.left + 12 && y == top + 9) colour = Hex(0xF0F0F0);
    }
    if (Taskbar.Contains(x, y)) colour = y == Taskbar.top ? Hex(0xE0E0E0) : Hex(0xB8BCC4);
    if (Taskbar.Contains(x, y) && x >= Taskbar.left + 1 && x < Taskbar.left + 12 && y > Taskbar.top + 1) {
        colour = Hex(0x4A9A5A);
    }
    return colour * Dimmed;
}

// thumbnailX and thumbnailY: the pixel of the thumbnail, which is painted at the picture's scale.
Colour MonitorColour(const DesignPoint& p, const RgbImage& thumbnail, int thumbnailX, int thumbnailY) {
    const int x = p.x;
    const int y = p.y;
    if (Thumbnail.Contains(x, y)) {
        return ToColour(thumbnail.At(std::clamp(thumbnailX, 0, thumbnail.width - 1), std::clamp(thumbnailY, 0, thumbnail.height - 1)));
    }
    if (Screen.Contains(x, y)) return Desktop(p);
    if (Led.Contains(x, y)) return Hex(0x48E070);
    if (Bezel.Contains(x, y)) {
        const bool rim = x == Screen.left - 1 || x == Screen.right || y == Screen.top - 1 || y == Screen.bottom;
        const bool insideRim = x >= Screen.left - 1 && x <= Screen.right && y >= Screen.top - 1 && y <= Screen.bottom;
        if (rim && insideRim) return Hex(0x121418);
        if (y == Bezel.top || x == Bezel.left) return Hex(0x8A909C);
        return Mix(Hex(0x50555F), Hex(0x2A2D34), (p.v - Bezel.top) / (Bezel.bottom - Bezel.top));
    }
    if (Neck.Contains(x, y)) return Mix(Hex(0x5A5F6A), Hex(0x30333A), (p.u - Neck.left) / (Neck.right - Neck.left));
    return y == Base.top ? Hex(0x7A808C) : Mix(Hex(0x4A4F5A), Hex(0x2A2D34), (p.v - Base.top) / (Base.bottom - Base.top));
}

}  // namespace

SampleScene PaintSampleScene(const RgbImage& picture, int percent) {
    const int side = ScaledArtworkLength(SampleSide, percent);
    const int thumbnailLeft = ScaledArtworkLength(Thumbnail.left, percent);
    const int thumbnailTop = ScaledArtworkLength(Thumbnail.top, percent);
    const RgbImage thumbnail = Resize(picture, ScaledArtworkLength(Thumbnail.right, percent) - thumbnailLeft,
                                      ScaledArtworkLength(Thumbnail.bottom, percent) - thumbnailTop);
    const float designPerPixel = 100.0f / static_cast<float>(percent);
    SampleScene scene{RgbImage(side, side), std::vector<uint8_t>(static_cast<size_t>(side) * side, 0)};
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const DesignPoint point{x * 100 / percent, y * 100 / percent, (x + 0.5f) * designPerPixel - 0.5f,
                                    (y + 0.5f) * designPerPixel - 0.5f};
            if (!InMotif(point.x, point.y)) {
                scene.colours.Set(x, y, GroundColour);
                continue;
            }
            scene.motif[static_cast<size_t>(y) * side + x] = 1;
            const Colour colour = MonitorColour(point, thumbnail, x - thumbnailLeft, y - thumbnailTop);
            scene.colours.Set(x, y, DitheredPixel(colour, x, y));
        }
    }
    return scene;
}

IndexedImage MakeSamplePicture(const SampleScene& scene) {
    const int width = scene.colours.width;
    const int height = scene.colours.height;
    std::vector<Rgb8> samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (scene.motif[static_cast<size_t>(y) * width + x]) samples.push_back(scene.colours.At(x, y));
        }
    }
    IndexedImage image(width, height);
    image.palette[0] = GroundColour;
    const std::vector<Rgb8> chosen = ChoosePalette(samples, PaletteSize - 1);
    std::copy(chosen.begin(), chosen.end(), image.palette.begin() + 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            image.indexes[i] = scene.motif[i] ? static_cast<uint8_t>(NearestIndex(image.palette, 1, PaletteSize, scene.colours.At(x, y))) : 0;
        }
    }
    return image;
}
