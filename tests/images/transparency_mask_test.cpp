#include "images/transparency_mask.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint8_t Filler = 0xAB;

// Picture rows given top-down as the eye sees them, stored bottom-up with row padding.
std::vector<uint8_t> StoreBottomUp(const std::vector<std::vector<uint8_t>>& topDownRows) {
    const int width = static_cast<int>(topDownRows[0].size());
    const size_t stride = IndexedRowBytes(width);
    std::vector<uint8_t> pixels(stride * topDownRows.size(), Filler);
    for (size_t r = 0; r < topDownRows.size(); ++r) {
        const auto& row = topDownRows[topDownRows.size() - 1 - r];
        std::copy(row.begin(), row.end(), pixels.begin() + static_cast<long>(stride * r));
    }
    return pixels;
}

bool MaskBit(const std::vector<uint8_t>& mask, int width, int topDownRow, int column) {
    const uint8_t byte = mask[MaskRowBytes(width) * static_cast<size_t>(topDownRow) + static_cast<size_t>(column / 8)];
    return (byte & (0x80 >> (column % 8))) != 0;
}

TEST(TransparencyMask, RowSizes) {
    struct { int Width; size_t Picture, Mask; } cases[] = {
        {1, 4, 2}, {3, 4, 2}, {4, 4, 2}, {5, 8, 2}, {12, 12, 2}, {16, 16, 2}, {17, 20, 4}, {136, 136, 18}};
    for (const auto& c : cases) {
        EXPECT_EQ(IndexedRowBytes(c.Width), c.Picture) << c.Width;
        EXPECT_EQ(MaskRowBytes(c.Width), c.Mask) << c.Width;
    }
    EXPECT_EQ(MaskSize(17, 3), 12u);
    EXPECT_EQ(MaskSize(0, 3), 0u);
    EXPECT_EQ(MaskSize(3, -1), 0u);
}

TEST(TransparencyMask, ThreeByTwoPictureWithIndexSeven) {
    const std::vector<uint8_t> pixels = StoreBottomUp({{7, 7, 2}, {7, 1, 7}});
    std::vector<uint8_t> mask(MaskSize(3, 2), 0x5A);
    EXPECT_EQ(BuildTransparencyMask(pixels.data(), 3, 2, mask.data()), 7);
    ASSERT_EQ(mask.size(), 4u);
    EXPECT_EQ(mask[0] & 0xE0, 0xC0) << "top row 1,1,0";
    EXPECT_EQ(mask[2] & 0xE0, 0xA0) << "bottom row 1,0,1";
}

TEST(TransparencyMask, EveryRowStartsAtTheHighestBitOfItsOwnFirstByte) {
    // 12 pixels wide: a packed layout would start row 1 in the middle of a byte.
    std::vector<std::vector<uint8_t>> rows;
    for (int r = 0; r < 4; ++r) {
        std::vector<uint8_t> row(12, 3);
        row[0] = 9;  // transparent (the top-left colour) only in the first column
        rows.push_back(row);
    }
    rows[2][11] = 9;
    const std::vector<uint8_t> pixels = StoreBottomUp(rows);
    std::vector<uint8_t> mask(MaskSize(12, 4));
    ASSERT_EQ(BuildTransparencyMask(pixels.data(), 12, 4, mask.data()), 9);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(mask[static_cast<size_t>(r) * 2], 0x80) << "row " << r;
        EXPECT_EQ(mask[static_cast<size_t>(r) * 2 + 1], r == 2 ? 0x10 : 0x00) << "row " << r;
    }
}

TEST(TransparencyMask, MatchesThePixelsForOddAndRoundSizes) {
    const int sizes[][2] = {{1, 1}, {2, 3}, {7, 5}, {8, 2}, {15, 3}, {16, 4}, {17, 6}, {33, 9}, {64, 2}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(height), std::vector<uint8_t>(static_cast<size_t>(width)));
        uint32_t state = static_cast<uint32_t>(width * 31 + height);
        for (auto& row : rows)
            for (auto& pixel : row) {
                state = state * 1103515245u + 12345u;
                pixel = static_cast<uint8_t>((state >> 16) % 3);
            }
        const std::vector<uint8_t> pixels = StoreBottomUp(rows);
        std::vector<uint8_t> mask(MaskSize(width, height));
        const uint8_t transparent = BuildTransparencyMask(pixels.data(), width, height, mask.data());
        EXPECT_EQ(transparent, rows[0][0]);
        for (int r = 0; r < height; ++r)
            for (int c = 0; c < width; ++c)
                ASSERT_EQ(MaskBit(mask, width, r, c), rows[static_cast<size_t>(r)][static_cast<size_t>(c)] == transparent)
                    << width << "x" << height << " at " << r << "," << c;
    }
}

}  // namespace
