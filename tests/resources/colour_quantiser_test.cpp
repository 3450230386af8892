#include "colour_quantiser.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool Contains(const std::vector<Rgb8>& colours, Rgb8 c) { return std::find(colours.begin(), colours.end(), c) != colours.end(); }

TEST(ColourQuantiser, KeepsEveryColourWhenThereAreFewerThanAsked) {
    const std::vector<Rgb8> distinct = {{0, 0, 0}, {255, 255, 255}, {200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {128, 128, 0}};
    std::vector<Rgb8> samples;
    for (int repeat = 0; repeat < 50; ++repeat) {
        for (size_t i = 0; i < distinct.size(); ++i) {
            if (repeat % (i + 1) == 0) samples.push_back(distinct[i]);  // uneven counts
        }
    }
    for (int count : {6, 7, 255}) {
        const std::vector<Rgb8> palette = ChoosePalette(samples, count);
        ASSERT_EQ(palette.size(), static_cast<size_t>(count));
        for (const Rgb8 c : distinct) EXPECT_TRUE(Contains(palette, c)) << count << ": " << int(c.r) << "," << int(c.g) << "," << int(c.b);
    }
}

TEST(ColourQuantiser, FindsTheCentresOfSeparateClusters) {
    // Four tight clusters, very different in size: each must get its own colour.
    const Rgb8 centres[] = {{20, 30, 40}, {220, 60, 50}, {90, 200, 120}, {240, 230, 200}};
    const int sizes[] = {5000, 40, 800, 12};
    std::vector<Rgb8> samples;
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < sizes[k]; ++i) {
            const int d = i % 5 - 2;
            samples.push_back({static_cast<uint8_t>(centres[k].r + d), static_cast<uint8_t>(centres[k].g - d),
                               static_cast<uint8_t>(centres[k].b + (i % 3 - 1))});
        }
    }
    const std::vector<Rgb8> palette = ChoosePalette(samples, 4);
    Palette table{};
    std::copy(palette.begin(), palette.end(), table.begin());
    for (const Rgb8 centre : centres) {
        const Rgb8 nearest = table[NearestIndex(table, 0, 4, centre)];
        EXPECT_LE(ColourDistance(nearest, centre), 3 * 9) << int(centre.r) << "," << int(centre.g) << "," << int(centre.b);
    }
}

TEST(ColourQuantiser, EmptySamplesGiveTheAskedCount) {
    EXPECT_EQ(ChoosePalette({}, 255).size(), 255u);
}

TEST(ColourQuantiser, NearestIndexSearchesOnlyTheGivenRangeAndPrefersTheLowestIndex) {
    Palette table{};
    table[0] = {100, 100, 100};
    table[1] = {10, 10, 10};
    table[2] = {100, 100, 100};
    table[3] = {100, 100, 100};
    struct Case {
        int first;
        int end;
        Rgb8 colour;
        int expected;
    };
    const Case cases[] = {
        {0, 4, {100, 100, 100}, 0},  // exact match, lowest index of the three
        {1, 4, {100, 100, 100}, 2},  // index 0 is outside the range
        {1, 4, {0, 0, 0}, 1},
        {2, 4, {0, 0, 0}, 2},        // nearest in range, although index 1 is closer
        {0, 1, {0, 0, 0}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(NearestIndex(table, c.first, c.end, c.colour), c.expected) << c.first << ".." << c.end;
}

TEST(ColourQuantiser, DistanceWeighsGreenMost) {
    const Rgb8 grey{128, 128, 128};
    EXPECT_EQ(ColourDistance(grey, grey), 0);
    EXPECT_GT(ColourDistance(grey, {128, 138, 128}), ColourDistance(grey, {128, 128, 138}));
    EXPECT_GT(ColourDistance(grey, {128, 128, 138}), ColourDistance(grey, {138, 128, 128}));
    EXPECT_EQ(ColourDistance({0, 0, 0}, {1, 2, 3}), ColourDistance({1, 2, 3}, {0, 0, 0}));
}

}  // namespace
