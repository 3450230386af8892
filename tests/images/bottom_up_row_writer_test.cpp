#include "images/bottom_up_row_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RowCase {
    int Width;
    size_t Stride;
};

TEST(DibStride24, FillsRowsToWholeWords) {
    const RowCase cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {341, 1024}, {1024, 3072}, {0, 0}, {-3, 0}};
    for (const RowCase& c : cases) EXPECT_EQ(DibStride24(c.Width), c.Stride) << c.Width;
}

TEST(SwapRedBlue, ExchangesTheOuterBytesOfEveryWholePixel) {
    uint8_t row[] = {1, 2, 3, 4, 5, 6, 7, 8};
    SwapRedBlue(row, 6);
    const uint8_t expected[] = {3, 2, 1, 6, 5, 4, 7, 8};
    EXPECT_TRUE(std::equal(std::begin(row), std::end(row), std::begin(expected)));
}

// Each decoded row r holds pixel c = (r, c, r + c) in red-green-blue, then the slack.
std::vector<uint8_t> DecodedRow(int width, int r, size_t slack) {
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3 + slack, 0xCD);
    for (int c = 0; c < width; ++c) {
        row[static_cast<size_t>(c) * 3] = static_cast<uint8_t>(r);
        row[static_cast<size_t>(c) * 3 + 1] = static_cast<uint8_t>(c);
        row[static_cast<size_t>(c) * 3 + 2] = static_cast<uint8_t>(r + c);
    }
    return row;
}

TEST(BottomUpRowWriter, PlacesTheFirstDecodedRowLastInMemoryInBlueGreenRed) {
    for (const RowCase& c : {RowCase{1, 4}, RowCase{341, 1024}, RowCase{1024, 3072}}) {
        SCOPED_TRACE(c.Width);
        constexpr int Height = 5;
        std::vector<uint8_t> pixels(c.Stride * Height, 0);  // exactly the bitmap's size
        BottomUpRowWriter writer(pixels.data(), c.Width, Height);
        ASSERT_EQ(writer.Stride(), c.Stride);
        for (int r = 0; r < Height; ++r) {
            std::vector<uint8_t> row = DecodedRow(c.Width, r, 10);
            ASSERT_TRUE(writer.WriteRow(row.data()));
        }
        std::vector<uint8_t> extra = DecodedRow(c.Width, 99, 10);
        EXPECT_FALSE(writer.WriteRow(extra.data())) << "no room above the top row";
        for (int r = 0; r < Height; ++r) {
            const uint8_t* memoryRow = pixels.data() + c.Stride * static_cast<size_t>(Height - 1 - r);
            for (int x = 0; x < c.Width; x += 17) {
                ASSERT_EQ(memoryRow[x * 3], static_cast<uint8_t>(r + x)) << "blue, row " << r;
                ASSERT_EQ(memoryRow[x * 3 + 1], static_cast<uint8_t>(x)) << "green, row " << r;
                ASSERT_EQ(memoryRow[x * 3 + 2], static_cast<uint8_t>(r)) << "red, row " << r;
            }
        }
    }
}

TEST(BottomUpRowWriter, WritesNothingWithoutABuffer) {
    BottomUpRowWriter writer(nullptr, 4, 4);
    std::vector<uint8_t> row = DecodedRow(4, 0, 10);
    EXPECT_FALSE(writer.WriteRow(row.data()));
    EXPECT_EQ(row[0], 0) << "the row is left as decoded";
}

}  // namespace
