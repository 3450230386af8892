#include "palette_picture.h"

#include <algorithm>
#include <tuple>

#include "colour_quantiser.h"

namespace {

constexpr int SampleStep = 4;  // every 4th pixel of every 4th row is plenty for the statistics

int Brightness(Rgb8 c) { return 2 * c.r + 5 * c.g + c.b; }

}  // namespace

IndexedImage MakePalettePicture(const std::vector<const RgbImage*>& pictures) {
    std::vector<Rgb8> samples;
    for (const RgbImage* picture : pictures) {
        for (int y = SampleStep / 2; y < picture->height; y += SampleStep) {
            for (int x = SampleStep / 2; x < picture->width; x += SampleStep) samples.push_back(picture->At(x, y));
        }
    }
    // The top-left pixel's entry is handed out as transparent (all zero), so the entry
    // kept there is black, which loses nothing.
    std::vector<Rgb8> colours = ChoosePalette(samples, PaletteSize - 1);
    std::sort(colours.begin(), colours.end(), [](Rgb8 a, Rgb8 b) {
        const int ba = Brightness(a);
        const int bb = Brightness(b);
        if (ba != bb) return ba < bb;
        return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
    });
    IndexedImage image(PalettePictureSide, PalettePictureSide);
    image.palette[0] = Rgb8{0, 0, 0};
    std::copy(colours.begin(), colours.end(), image.palette.begin() + 1);
    for (int i = 0; i < PaletteSize; ++i) image.indexes[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    return image;
}
