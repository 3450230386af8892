#include "images/image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "images/shared_memory_dcs.h"
#include "tests/images/image_probe.h"
#include "tests/images/test_canvas.h"
#include "tests/images/test_resource_data.h"
#include "tests/images/test_resource_ids.h"

namespace {

using namespace test_resources;

constexpr uint32_t Backdrop = 0x112233;

uint32_t TableColour(int index) { return Rgb(TableRed(index), TableGreen(index), TableBlue(index)); }

std::vector<RGBQUAD> ColourTable(HBITMAP bitmap) {
    std::vector<RGBQUAD> table(PaletteEntryCount);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SelectionGuard selection(dc.get(), bitmap);
    table.resize(GetDIBColorTable(dc.get(), 0, PaletteEntryCount, table.data()));
    return table;
}

TEST(Image, LoadsAnIndexedBitmapWithItsMaskAndBlackensTheTransparentColour) {
    Image image;
    image.SetSource(MAKEINTRESOURCEA(IDB_TEST_INDEXED));
    ASSERT_EQ(image.Load(), 1);
    EXPECT_EQ(image.Width(), IndexedWidth);
    EXPECT_EQ(image.Height(), IndexedHeight);
    EXPECT_EQ(ImageProbe(image).TransparentIndex(), 7);
    ASSERT_NE(ImageProbe(image).MaskBitmap(), nullptr);

    // The mask rows are whole 16-bit words, top row first.
    uint8_t mask[4] = {};
    ASSERT_EQ(GetBitmapBits(ImageProbe(image).MaskBitmap(), sizeof mask, mask), 4);
    EXPECT_EQ(mask[0] & 0xE0, 0xC0) << "top row 7, 7, 2";
    EXPECT_EQ(mask[2] & 0xE0, 0xA0) << "bottom row 7, 1, 7";

    const std::vector<RGBQUAD> table = ColourTable(image.Bitmap());
    ASSERT_EQ(table.size(), 256u);
    EXPECT_EQ(table[7].rgbRed | table[7].rgbGreen | table[7].rgbBlue, 0);
    EXPECT_EQ(table[2].rgbRed, TableRed(2));
    EXPECT_EQ(table[2].rgbGreen, TableGreen(2));
    EXPECT_EQ(table[2].rgbBlue, TableBlue(2));

    EXPECT_EQ(image.Load(), 1) << "a loaded image stays as it is";
}

TEST(Image, FailedLoadsLeaveItUnloaded) {
    struct { const char* Name; LPCSTR Source; } cases[] = {
        {"24-bit bitmap", MAKEINTRESOURCEA(IDB_TEST_TRUE_COLOUR)},
        {"missing bitmap", MAKEINTRESOURCEA(IDB_TEST_MISSING)},
        {"missing name", "NO_SUCH_BITMAP"},
        {"a picture of another type", MAKEINTRESOURCEA(IDR_TEST_COLOUR)},
    };
    TestCanvas canvas(4, 4, Backdrop);
    ASSERT_TRUE(canvas.Ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Image image;
        image.SetSource(c.Source);
        EXPECT_EQ(image.Load(), 0);
        EXPECT_EQ(image.Bitmap(), nullptr);
        EXPECT_EQ(ImageProbe(image).MaskBitmap(), nullptr);
        EXPECT_EQ(image.Width(), 0);
        EXPECT_EQ(image.Height(), 0);
        EXPECT_EQ(image.Draw(canvas.Dc(), 0, 0), 0);
        EXPECT_EQ(image.DrawStretched(canvas.Dc(), 0, 0, 4, 3), 0);
        PALETTEENTRY entries[PaletteEntryCount];
        std::fill(std::begin(entries), std::end(entries), PALETTEENTRY{9, 9, 9, 9});
        image.GetPaletteEntries(entries);
        EXPECT_EQ(entries[0].peRed, 9) << "entries untouched";
    }
    EXPECT_EQ(canvas.Pixel(0, 0), Backdrop);
}

TEST(Image, WithoutASourceLoadSucceedsButThereIsNothingToDraw) {
    Image image;
    TestCanvas canvas(4, 4, Backdrop);
    EXPECT_EQ(image.Load(), 1);
    EXPECT_EQ(image.Bitmap(), nullptr);
    EXPECT_EQ(image.Draw(canvas.Dc(), 0, 0), 0);
    image.SetSource(nullptr);
    EXPECT_FALSE(ImageProbe(image).ImageSource().HasSource());
}

TEST(Image, DrawLeavesTheDestinationWhereThePictureIsTransparent) {
    Image image;
    image.SetSource("TESTINDEXED");
    TestCanvas canvas(5, 4, Backdrop);
    ASSERT_TRUE(canvas.Ok());
    ASSERT_EQ(image.Draw(canvas.Dc(), 1, 1), 1) << "Draw loads on demand";
    const uint32_t expected[4][5] = {
        {Backdrop, Backdrop, Backdrop, Backdrop, Backdrop},
        {Backdrop, Backdrop, Backdrop, TableColour(2), Backdrop},
        {Backdrop, Backdrop, TableColour(1), Backdrop, Backdrop},
        {Backdrop, Backdrop, Backdrop, Backdrop, Backdrop},
    };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(canvas.Pixel(x, y), expected[y][x]) << x << "," << y;
}

TEST(Image, DrawStretchedTakesTheMaskAndFillsOnlyThe43Box) {
    Image image;
    image.SetSource(MAKEINTRESOURCEA(IDB_TEST_INDEXED));
    // A 3 × 2 rectangle is its own box: the picture lands unscaled, masked as by Draw.
    TestCanvas exact(5, 4, Backdrop);
    ASSERT_EQ(image.DrawStretched(exact.Dc(), 1, 1, 3, 2), 1);
    EXPECT_EQ(GetStretchBltMode(exact.Dc()), HALFTONE);
    const uint32_t expected[2][3] = {{Backdrop, Backdrop, TableColour(2)}, {Backdrop, TableColour(1), Backdrop}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(exact.Pixel(x + 1, y + 1), expected[y][x]) << x << "," << y;
    EXPECT_EQ(exact.Pixel(0, 1), Backdrop);
    EXPECT_EQ(exact.Pixel(4, 2), Backdrop);

    // 30 × 20 holds a 26 × 20 box at (2, 0); the averaging resampler decides the inside.
    TestCanvas wide(30, 20, Backdrop);
    ASSERT_EQ(image.DrawStretched(wide.Dc(), 0, 0, 30, 20), 1);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(wide.Pixel(1, y), Backdrop) << "left of the box, row " << y;
        EXPECT_EQ(wide.Pixel(28, y), Backdrop) << "right of the box, row " << y;
    }
    EXPECT_NE(wide.Pixel(23, 4), Backdrop) << "the opaque top-right pixel reaches the box";
}

TEST(Image, ReleaseKeepsTheSourceAndDrawLoadsAgain) {
    Image image;
    image.SetSource(MAKEINTRESOURCEA(IDB_TEST_INDEXED));
    ASSERT_EQ(image.Load(), 1);
    image.SetSource(MAKEINTRESOURCEA(IDB_TEST_TRUE_COLOUR));
    EXPECT_EQ(image.Width(), IndexedWidth) << "the new source counts only from the next load";
    image.Release();
    EXPECT_EQ(image.Bitmap(), nullptr);
    EXPECT_EQ(ImageProbe(image).MaskBitmap(), nullptr);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(ImageProbe(image).TransparentIndex(), 7) << "kept by Release";
    EXPECT_EQ(image.Load(), 0);

    image.SetSource(MAKEINTRESOURCEA(IDB_TEST_INDEXED));
    TestCanvas canvas(3, 2, Backdrop);
    EXPECT_EQ(image.Draw(canvas.Dc(), 0, 0), 1);
    EXPECT_NE(image.Bitmap(), nullptr);
    EXPECT_EQ(canvas.Pixel(1, 1), TableColour(1));
}

TEST(Image, PaletteEntriesComeFromTheColourTableWithTheTransparentEntryZero) {
    Image image;
    image.SetSource(MAKEINTRESOURCEA(IDB_TEST_INDEXED));
    PALETTEENTRY entries[PaletteEntryCount] = {};
    image.GetPaletteEntries(entries);
    ASSERT_NE(image.Bitmap(), nullptr) << "loads on demand";
    for (int i = 0; i < PaletteEntryCount; ++i) {
        SCOPED_TRACE(i);
        if (i == 7) {
            EXPECT_EQ(entries[i].peRed | entries[i].peGreen | entries[i].peBlue | entries[i].peFlags, 0);
            continue;
        }
        EXPECT_EQ(entries[i].peRed, TableRed(i));
        EXPECT_EQ(entries[i].peGreen, TableGreen(i));
        EXPECT_EQ(entries[i].peBlue, TableBlue(i));
        EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE);
    }
}

TEST(Image, APictureLoadedAfterTheDisplayTeardownStillGetsItsTransparentColourBlack) {
    Image image;
    DestroySharedDcs();
    image.SetSource(MAKEINTRESOURCEA(IDB_TEST_INDEXED));
    ASSERT_EQ(image.Load(), 1);
    TestCanvas canvas(3, 2, Backdrop);
    EXPECT_EQ(image.Draw(canvas.Dc(), 0, 0), 0) << "no shared context to draw from";
    Image another;  // makes the shared contexts again
    ASSERT_EQ(image.Draw(canvas.Dc(), 0, 0), 1);
    EXPECT_EQ(canvas.Pixel(0, 0), Backdrop);
    EXPECT_EQ(canvas.Pixel(2, 0), TableColour(2));
}

}  // namespace
