#pragma once
// The small artwork around the slideshow: the icon, the settings dialog's sample picture
// and the About picture. The larger ones show thumbnails of the slideshow pictures.
#include <string_view>
#include <vector>

#include "image_types.h"
#include "slide_version.h"

constexpr int SampleSide = 136;
constexpr int AboutWidth = 340;
constexpr int AboutHeight = 230;
// The dialog's pictures are also painted at these scales, in percent, for scaled desktops.
constexpr int LargerArtworkPercents[] = {150, 200};

constexpr int ScaledArtworkLength(int length, int percent) { return length * percent / 100; }

// A square icon image with transparent surroundings.
RgbaImage PaintIcon(int side);

// The sample scene before it is reduced to a colour table: colours, and which pixels
// belong to the motif (1) rather than the transparent ground (0).
struct SampleScene {
    RgbImage colours;
    std::vector<uint8_t> motif;
};

// A little monitor showing `picture` over a dimmed desktop, SampleSide at 100 percent.
SampleScene PaintSampleScene(const RgbImage& picture, int percent = 100);

// The scene with its own colour table: index 0 is the transparent ground, at the top-left
// corner, and no motif pixel uses it.
IndexedImage MakeSamplePicture(const SampleScene& scene);

// The About picture's version line.
constexpr std::string_view AboutVersionLine = "Version " SLIDE_VERSION_TEXT;

// White ground, the product name in the pixel font, and a fan of slides showing `pictures`;
// AboutWidth x AboutHeight at 100 percent.
RgbImage PaintAboutPicture(const std::vector<const RgbImage*>& pictures, int percent = 100);
