#include "images/jpeg_image.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/images/image_probe.h"
#include "tests/images/test_canvas.h"
#include "tests/images/test_resource_data.h"
#include "tests/images/test_resource_ids.h"

namespace {

using namespace test_resources;

constexpr uint32_t Backdrop = 0x404040;
constexpr int Tolerance = 4;  // a quality-100 encode of flat 16 × 16 blocks

DIBSECTION Section(HBITMAP bitmap) {
    DIBSECTION section{};
    GetObjectA(bitmap, sizeof section, &section);
    return section;
}

bool Near(int value, int expected) { return std::abs(value - expected) <= Tolerance; }

bool NearColour(uint32_t rgb, uint32_t expected) {
    return Near(static_cast<int>(rgb >> 16), static_cast<int>(expected >> 16)) &&
           Near(static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((expected >> 8) & 0xFF)) &&
           Near(static_cast<int>(rgb & 0xFF), static_cast<int>(expected & 0xFF));
}

struct LoadCase {
    const char* Name;
    int Id;
    int Result;
    int Width, Height;
};

TEST(JpegImage, LoadResultsAndSizes) {
    const LoadCase cases[] = {
        {"ten bytes", IDR_TEST_TEN_BYTES, 0, 0, 0},
        {"one block of non-picture", IDR_TEST_BLOCK, 0, 0, 0},
        {"empty", IDR_TEST_EMPTY, 0, 0, 0},
        {"cut in the entropy-coded data", IDR_TEST_TRUNCATED, 1, 160, 120},
        {"random bytes", IDR_TEST_RANDOM, 0, 0, 0},
        {"greyscale", IDR_TEST_GREY, 1, GreyWidth, GreyHeight},
        {"colour", IDR_TEST_COLOUR, 1, ColourWidth, ColourHeight},
        {"341 wide", IDR_TEST_NARROW, 1, NarrowWidth, NarrowHeight},
        {"four components", IDR_TEST_CMYK, 0, 0, 0},
        {"missing", IDR_TEST_MISSING, 0, 0, 0},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.Name);
        JpegImage image;
        image.SetSource(MAKEINTRESOURCEA(c.Id));
        EXPECT_EQ(image.Load(), c.Result);
        EXPECT_EQ(image.Width(), c.Width);
        EXPECT_EQ(image.Height(), c.Height);
        EXPECT_EQ(image.Bitmap() != nullptr, c.Result == 1);
        EXPECT_EQ(ImageProbe(image).MaskBitmap(), nullptr);
        EXPECT_EQ(image.Load(), c.Result) << "a second load tries again, or keeps what it has";
    }
}

TEST(JpegImage, DecodesInto24BitBottomUpRowsOfBlueGreenRed) {
    JpegImage image;
    image.SetSource(MAKEINTRESOURCEA(IDR_TEST_COLOUR));
    ASSERT_EQ(image.Load(), 1);
    const DIBSECTION section = Section(image.Bitmap());
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    EXPECT_GT(section.dsBmih.biHeight, 0) << "bottom-up";
    EXPECT_EQ(section.dsBm.bmWidthBytes, ColourWidth * 3);
    const auto* pixels = static_cast<const uint8_t*>(section.dsBm.bmBits);
    ASSERT_NE(pixels, nullptr);
    // The picture's first row (red) is the last row in memory; its last row (blue) the first.
    const uint8_t* lastRow = pixels + static_cast<size_t>(section.dsBm.bmWidthBytes) * (ColourHeight - 1);
    EXPECT_TRUE(Near(lastRow[0], 0) && Near(lastRow[1], 0) && Near(lastRow[2], 255))
        << int(lastRow[0]) << " " << int(lastRow[1]) << " " << int(lastRow[2]);
    EXPECT_TRUE(Near(pixels[0], 255) && Near(pixels[1], 0) && Near(pixels[2], 0))
        << int(pixels[0]) << " " << int(pixels[1]) << " " << int(pixels[2]);

    const HBITMAP first = image.Bitmap();
    EXPECT_EQ(image.Load(), 1);
    EXPECT_EQ(image.Bitmap(), first) << "a loaded picture is not decoded again";
}

TEST(JpegImage, NarrowAndGreyPicturesKeepTheRowLayout) {
    JpegImage narrow;
    narrow.SetSource(MAKEINTRESOURCEA(IDR_TEST_NARROW));
    ASSERT_EQ(narrow.Load(), 1);
    EXPECT_EQ(Section(narrow.Bitmap()).dsBm.bmWidthBytes, 1024);

    JpegImage grey;
    grey.SetSource(MAKEINTRESOURCEA(IDR_TEST_GREY));
    ASSERT_EQ(grey.Load(), 1);
    const DIBSECTION section = Section(grey.Bitmap());
    ASSERT_EQ(section.dsBm.bmWidthBytes, 120);
    const auto* pixels = static_cast<const uint8_t*>(section.dsBm.bmBits);
    int distinctGreys = 0;
    for (int row = 0; row < GreyHeight; ++row) {
        for (int x = 0; x < GreyWidth; ++x) {
            const uint8_t* pixel = pixels + section.dsBm.bmWidthBytes * row + x * 3;
            ASSERT_EQ(pixel[0], pixel[1]) << x << "," << row;
            ASSERT_EQ(pixel[1], pixel[2]) << x << "," << row;
            distinctGreys += pixel[0] != pixels[0];
        }
    }
    EXPECT_GT(distinctGreys, 0) << "the picture is not one flat colour";
}

TEST(JpegImage, SourcesByNameAndNone) {
    JpegImage named;
    named.SetSource("TESTCOLOUR");
    EXPECT_EQ(named.Load(), 1);
    EXPECT_EQ(named.Width(), ColourWidth);

    JpegImage none;
    EXPECT_EQ(none.Load(), 1);
    EXPECT_EQ(none.Bitmap(), nullptr);
    TestCanvas canvas(4, 4, Backdrop);
    EXPECT_EQ(none.Draw(canvas.Dc(), 0, 0), 0);
}

TEST(JpegImage, DrawsOpaqueAtItsOwnSizeAndStretchedIntoThe43Box) {
    JpegImage image;
    image.SetSource(MAKEINTRESOURCEA(IDR_TEST_COLOUR));
    TestCanvas canvas(100, 80, Backdrop);
    ASSERT_TRUE(canvas.Ok());
    ASSERT_EQ(image.Draw(canvas.Dc(), 10, 5), 1);
    EXPECT_EQ(canvas.Pixel(9, 5), Backdrop);
    EXPECT_TRUE(NearColour(canvas.Pixel(10, 5), ColourBands[0]));
    EXPECT_TRUE(NearColour(canvas.Pixel(73, 52), ColourBands[2]));
    EXPECT_EQ(canvas.Pixel(74, 52), Backdrop);
    EXPECT_EQ(canvas.Pixel(73, 53), Backdrop);

    // 1000 × 600 holds an 800 × 600 box at (100, 0).
    TestCanvas wide(1000, 600, Backdrop);
    ASSERT_TRUE(wide.Ok());
    ASSERT_EQ(image.DrawStretched(wide.Dc(), 0, 0, 1000, 600), 1);
    EXPECT_EQ(wide.Pixel(99, 300), Backdrop);
    EXPECT_EQ(wide.Pixel(900, 300), Backdrop);
    EXPECT_TRUE(NearColour(wide.Pixel(100, 100), ColourBands[0]));
    EXPECT_TRUE(NearColour(wide.Pixel(899, 300), ColourBands[1]));
    EXPECT_TRUE(NearColour(wide.Pixel(500, 599), ColourBands[2]));
}

}  // namespace
