#include "images/bottom_up_row_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RowCase {
    int Width;
    size_t Stride;
};

// The one row layout of every picture buffer: decoded pictures, transitions and captures.
TEST(PixelLayout, FillsRowsToWholeWords) {
    const RowCase cases[] = {{1, 4},       {2, 8},       {3, 12},          {4, 12},          {5, 16}, {341, 1024},
                             {1366, 4100}, {1024, 3072}, {21845, 65536}, {21846, 65540}, {0, 0},  {-3, 0}};
    for (const RowCase& c : cases) {
        EXPECT_EQ(static_cast<size_t>(RowStride(c.Width)), c.Stride) << c.Width;
        EXPECT_EQ(PixelBufferBytes(c.Width, 3), 3 * c.Stride) << c.Width;
    }
    EXPECT_EQ(PixelBufferBytes(5, 0), 0u);
    EXPECT_EQ(PixelBufferBytes(5, -1), 0u);
}

// Decoded row r: every byte tells its row and position; the slack past the pixels too.
std::vector<uint8_t> DecodedRow(int width, int r, size_t slack) {
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3 + slack);
    for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint8_t>(r * 31 + i);
    return row;
}

TEST(BottomUpRowWriter, PlacesTheFirstDecodedRowLastInMemory) {
    for (const RowCase& c : {RowCase{1, 4}, RowCase{341, 1024}, RowCase{1024, 3072}}) {
        SCOPED_TRACE(c.Width);
        constexpr int Height = 5;
        std::vector<uint8_t> pixels(c.Stride * Height, 0);  // exactly the bitmap's size
        BottomUpRowWriter writer(pixels.data(), c.Width, Height);
        ASSERT_EQ(writer.Stride(), c.Stride);
        ASSERT_EQ(writer.SampleCount(), static_cast<size_t>(c.Width) * 3);
        for (int r = 0; r < Height; ++r) {
            const std::vector<uint8_t> row = DecodedRow(c.Width, r, 10);
            ASSERT_TRUE(writer.WriteRow(row.data()));
        }
        const std::vector<uint8_t> extra = DecodedRow(c.Width, 99, 10);
        EXPECT_FALSE(writer.WriteRow(extra.data())) << "no room above the top row";
        for (int r = 0; r < Height; ++r) {
            const std::vector<uint8_t> row = DecodedRow(c.Width, r, 10);
            const uint8_t* memoryRow = pixels.data() + c.Stride * static_cast<size_t>(Height - 1 - r);
            EXPECT_TRUE(std::equal(memoryRow, memoryRow + c.Stride, row.begin())) << "row " << r;
        }
    }
}

TEST(BottomUpRowWriter, WritesNothingWithoutABuffer) {
    BottomUpRowWriter writer(nullptr, 4, 4);
    const std::vector<uint8_t> row = DecodedRow(4, 0, 10);
    EXPECT_FALSE(writer.WriteRow(row.data()));
}

}  // namespace
