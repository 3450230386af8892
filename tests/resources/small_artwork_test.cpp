#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>
#include <string_view>
#include <vector>

#include "palette_picture.h"
#include "pixel_font.h"
#include "small_pictures.h"

namespace {

// A stand-in for a slideshow picture: smooth ramps in many colours.
RgbImage Gradient(int width, int height, int seed) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.Set(x, y, {static_cast<uint8_t>(x * 255 / width), static_cast<uint8_t>((y * 255 / height + seed * 40) % 256),
                             static_cast<uint8_t>((x + y + seed * 70) % 256)});
        }
    }
    return image;
}

class SamplePicture : public testing::Test {
protected:
    const RgbImage picture = Gradient(128, 96, 1);
    const SampleScene scene = PaintSampleScene(picture);
    const IndexedImage sample = MakeSamplePicture(scene);

    bool IsMotif(int x, int y) const { return scene.motif[static_cast<size_t>(y) * sample.width + x] != 0; }
};

TEST_F(SamplePicture, TransparentIndexMarksExactlyTheGroundAroundTheMotif) {
    ASSERT_EQ(sample.width, SampleSide);
    ASSERT_EQ(sample.height, SampleSide);
    const uint8_t transparent = sample.At(0, 0);
    ASSERT_FALSE(IsMotif(0, 0));
    int motifPixels = 0;
    for (int y = 0; y < sample.height; ++y) {
        for (int x = 0; x < sample.width; ++x) {
            if (IsMotif(x, y)) {
                ++motifPixels;
                ASSERT_NE(sample.At(x, y), transparent) << "a hole in the motif at " << x << "," << y;
            } else {
                ASSERT_EQ(sample.At(x, y), transparent) << x << "," << y;
            }
        }
    }
    EXPECT_GT(motifPixels, SampleSide * SampleSide / 3) << "the motif fills a good part of the picture";
}

TEST_F(SamplePicture, GroundIsOneAreaReachedFromTheBorder) {
    // Flood the transparent index in from the border: a ground pixel enclosed by the motif
    // would show the dialog through the monitor.
    const uint8_t transparent = sample.At(0, 0);
    std::vector<uint8_t> reached(sample.indexes.size(), 0);
    std::vector<std::pair<int, int>> pending;
    for (int i = 0; i < SampleSide; ++i) {
        pending.insert(pending.end(), {{i, 0}, {i, SampleSide - 1}, {0, i}, {SampleSide - 1, i}});
    }
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (x < 0 || y < 0 || x >= SampleSide || y >= SampleSide) continue;
        const size_t i = static_cast<size_t>(y) * SampleSide + x;
        if (reached[i] || sample.indexes[i] != transparent) continue;
        reached[i] = 1;
        pending.insert(pending.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    for (size_t i = 0; i < sample.indexes.size(); ++i) {
        if (sample.indexes[i] == transparent) {
            ASSERT_TRUE(reached[i]) << "enclosed ground at " << i % SampleSide << "," << i / SampleSide;
        }
    }
}

TEST_F(SamplePicture, MotifColoursStayCloseToThePaintedScene) {
    std::set<int> used;
    for (int y = 0; y < sample.height; ++y) {
        for (int x = 0; x < sample.width; ++x) {
            if (!IsMotif(x, y)) continue;
            used.insert(sample.At(x, y));
            const Rgb8 painted = scene.colours.At(x, y);
            const Rgb8 stored = sample.palette[sample.At(x, y)];
            ASSERT_LE(std::abs(painted.r - stored.r) + std::abs(painted.g - stored.g) + std::abs(painted.b - stored.b), 48)
                << x << "," << y;
        }
    }
    EXPECT_GT(used.size(), 100u) << "the shown picture needs a rich colour table";
}

TEST(PalettePicture, HoldsEveryIndexOnceWithBlackFirstAndRisingBrightness) {
    const RgbImage first = Gradient(160, 120, 2);
    const RgbImage second = Gradient(160, 120, 5);
    const IndexedImage palette = MakePalettePicture({&first, &second});
    ASSERT_EQ(palette.width, PalettePictureSide);
    ASSERT_EQ(palette.height, PalettePictureSide);
    for (int i = 0; i < PaletteSize; ++i) ASSERT_EQ(palette.indexes[static_cast<size_t>(i)], i);
    EXPECT_EQ(palette.palette[0], (Rgb8{0, 0, 0})) << "the top-left entry is handed out as transparent black";
    auto brightness = [](Rgb8 c) { return 2 * c.r + 5 * c.g + c.b; };
    for (int i = 2; i < PaletteSize; ++i) ASSERT_LE(brightness(palette.palette[i - 1]), brightness(palette.palette[i])) << i;
    const std::set<std::tuple<int, int, int>> distinct = [&] {
        std::set<std::tuple<int, int, int>> s;
        for (const Rgb8 c : palette.palette) s.insert({c.r, c.g, c.b});
        return s;
    }();
    EXPECT_GT(distinct.size(), 200u) << "colourful pictures fill the table";
}

TEST(PixelFont, EveryCharacterOfTheArtworkTextsHasAGlyph) {
    const std::string_view texts[] = {"Slide Screen Saver", AboutVersionLine, "(C) 2026 the Slide team",
                                      "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "0123456789"};
    for (const std::string_view text : texts) {
        for (const char c : text) {
            if (c == ' ') continue;
            const unsigned char* rows = GlyphRowsOf(c);
            bool inked = false;
            for (int r = 0; r < GlyphRows; ++r) inked = inked || rows[r] != 0;
            EXPECT_TRUE(inked) << "no glyph for '" << c << "'";
        }
    }
}

TEST(PixelFont, CoverageFollowsTheGlyphCellsAndAdvance) {
    // 'L' is a left column and a bottom row; the cell after each glyph is the gap.
    EXPECT_EQ(TextCells("L"), GlyphColumns);
    EXPECT_EQ(TextCells("LL"), GlyphAdvance + GlyphColumns);
    EXPECT_EQ(TextCells(""), 0);
    struct Case {
        float x, y;
        bool inked;
    };
    const Case cases[] = {{0.5f, 0.5f, true},  {1.5f, 0.5f, false}, {4.5f, 6.5f, true},  {5.5f, 6.5f, false},
                          {6.5f, 0.5f, true},  {7.5f, 3.5f, false}, {10.5f, 6.5f, true}, {12.5f, 6.5f, false},
                          {-0.5f, 0.5f, false}, {0.5f, 7.5f, false}, {0.5f, -0.1f, false}};
    for (const Case& c : cases) EXPECT_EQ(TextCovers("LL", c.x, c.y), c.inked) << c.x << "," << c.y;
}

TEST(Icon, CornersAreTransparentAndTheMiddleOpaqueAtEverySize) {
    for (int side : {16, 32, 48, 256}) {
        SCOPED_TRACE(side);
        const RgbaImage icon = PaintIcon(side);
        ASSERT_EQ(icon.width, side);
        ASSERT_EQ(icon.height, side);
        auto alpha = [&](int x, int y) { return icon.rgba[(static_cast<size_t>(y) * side + x) * 4 + 3]; };
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{side - 1, 0}, std::pair{0, side - 1}, std::pair{side - 1, side - 1}}) {
            EXPECT_EQ(alpha(x, y), 0) << x << "," << y;
        }
        EXPECT_EQ(alpha(side / 2, side / 2), 255);
    }
}

}  // namespace
