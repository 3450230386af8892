#include "slideshow/picture_placement.h"

#include <gtest/gtest.h>

#include "images/four_three_box.h"
#include "images/picture_scale.h"

namespace {

constexpr int PictureWidth = 1024;
constexpr int PictureHeight = 768;

struct ScaleCase {
    int ReadDpi;
    int ScreenWidth, ScreenHeight;
    int Width, Height;  // the picture at the scale
    int Numerator;      // of the decoder's M/8
    bool Resampled;
    int DrawnWidth, DrawnHeight;
    uint32_t SpareWidth, SpareHeight;
};

// Each scale step on a screen larger and one smaller than its picture; a scale between
// steps, beyond 200 % and an odd reading below 96; and the preview, which renders at 96.
TEST(PictureScale, PicturesGrowWithTheScaleAndArePlacedByTheirScaledSize) {
    const ScaleCase cases[] = {
        {96, 1600, 1200, 1024, 768, 8, false, 1024, 768, 576, 432},
        {96, 800, 600, 1024, 768, 8, false, 800, 600, 0, 0},
        {120, 1280, 1024, 1280, 960, 10, false, 1280, 960, 0, 64},
        {120, 1024, 768, 1280, 960, 10, false, 1024, 768, 0, 0},
        {144, 1920, 1200, 1536, 1152, 12, false, 1536, 1152, 384, 48},
        {144, 1366, 768, 1536, 1152, 12, false, 1024, 768, 0, 0},
        {168, 2560, 1440, 1792, 1344, 14, false, 1792, 1344, 768, 96},
        {168, 1920, 1080, 1792, 1344, 14, false, 1440, 1080, 128, 0},
        {192, 3200, 2400, 2048, 1536, 16, false, 2048, 1536, 1152, 864},
        {192, 1920, 1080, 2048, 1536, 16, false, 1440, 1080, 0, 0},
        {110, 1600, 1200, 1173, 880, 10, true, 1173, 880, 427, 320},
        {240, 3840, 2400, 2560, 1920, 16, true, 2560, 1920, 1280, 480},
        {72, 1600, 1200, 1024, 768, 8, false, 1024, 768, 576, 432},
        {UnscaledDpi, 640, 480, 1024, 768, 8, false, 640, 480, 0, 0},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ReadDpi << " dpi on " << c.ScreenWidth << "x" << c.ScreenHeight);
        const ScaledDecode decode = PlanScaledDecode(PictureWidth, PictureHeight, PictureDpi(c.ReadDpi), 0, 0);
        EXPECT_EQ(decode.Width, c.Width);
        EXPECT_EQ(decode.Height, c.Height);
        EXPECT_EQ(decode.ScaleNumerator, c.Numerator);
        // The decoder's side at M/8, rounded up as the library rounds it.
        const auto decoded = [&](int length) {
            return (length * decode.ScaleNumerator + DecodeScaleDenominator - 1) / DecodeScaleDenominator;
        };
        EXPECT_EQ(decoded(PictureWidth) != decode.Width || decoded(PictureHeight) != decode.Height, c.Resampled);

        const PicturePlacement placement = PlacePicture(c.ScreenWidth, c.ScreenHeight, decode.Width, decode.Height);
        const FourThreeBox drawn = placement.Stretched
                                       ? FitFourThreeBox(0, 0, placement.BoxWidth, placement.BoxHeight)
                                       : FourThreeBox{0, 0, decode.Width, decode.Height};
        EXPECT_EQ(drawn.Width, c.DrawnWidth);
        EXPECT_EQ(drawn.Height, c.DrawnHeight);
        EXPECT_EQ(placement.SpareWidth, c.SpareWidth);
        EXPECT_EQ(placement.SpareHeight, c.SpareHeight);
    }
}

// A picture larger than its room at the scale is decoded at the 4:3 box it is shown in, so
// that it is placed at its own size; one that fits keeps its size at the scale.
TEST(PictureScale, APictureIsNeverDecodedLargerThanItsBox) {
    const struct {
        int Dpi, RoomWidth, RoomHeight, Width, Height;
    } cases[] = {{LargestDpi, 3840, 2160, 2880, 2160}, {240, 1920, 1080, 1440, 1080},
                 {192, 3200, 2400, 2048, 1536},        {144, 1366, 768, 1024, 768}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Dpi << " dpi in " << c.RoomWidth << "x" << c.RoomHeight);
        const ScaledDecode decode = PlanScaledDecode(PictureWidth, PictureHeight, c.Dpi, c.RoomWidth, c.RoomHeight);
        EXPECT_EQ(decode.Width, c.Width);
        EXPECT_EQ(decode.Height, c.Height);
        EXPECT_FALSE(PlacePicture(c.RoomWidth, c.RoomHeight, decode.Width, decode.Height).Stretched);
    }
}

// The dialog's pictures: a scale with a painting of its own takes it, any other the next
// larger one, beyond 200 % the largest.
TEST(PictureScale, DialogPicturesTakeTheirOwnOrTheNextLargerPainting) {
    const int cases[][2] = {{96, 96}, {120, 144}, {144, 144}, {168, 192}, {192, 192}, {240, 192}};
    for (const auto& c : cases) EXPECT_EQ(PaintedDpis[PaintingFor(c[0])], c[1]) << c[0] << " dpi";
}

}  // namespace
