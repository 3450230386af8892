#include "bmp_writer.h"

#include <gtest/gtest.h>

#include "tests/resources/byte_reader.h"

namespace {

constexpr size_t InfoAt = BmpFileHeaderSize;
constexpr size_t ColourTableBytes = 256 * 4;

// A picture whose every pixel value tells where it came from.
IndexedImage NumberedIndexed(int width, int height) {
    IndexedImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.indexes[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(y * 16 + x + 1);
    }
    for (int i = 0; i < PaletteSize; ++i) {
        image.palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2)};
    }
    return image;
}

RgbImage NumberedRgb(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.Set(x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x + y + 100)});
    }
    return image;
}

void ExpectHeaders(const std::vector<uint8_t>& file, int width, int height, int bits, uint32_t stride, uint32_t pixelOffset) {
    ASSERT_GE(file.size(), pixelOffset);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(ReadU32(file, 2), file.size());
    EXPECT_EQ(ReadU32(file, 10), pixelOffset);
    EXPECT_EQ(ReadU32(file, InfoAt), BmpInfoHeaderSize);
    EXPECT_EQ(ReadI32(file, InfoAt + 4), width);
    EXPECT_EQ(ReadI32(file, InfoAt + 8), height) << "a positive height means bottom-up rows";
    EXPECT_EQ(ReadU16(file, InfoAt + 12), 1u);
    EXPECT_EQ(ReadU16(file, InfoAt + 14), static_cast<uint32_t>(bits));
    EXPECT_EQ(ReadU32(file, InfoAt + 16), 0u) << "uncompressed";
    EXPECT_EQ(ReadU32(file, InfoAt + 20), stride * height);
    EXPECT_EQ(file.size(), pixelOffset + stride * height);
}

struct Size {
    int width;
    int height;
};

// Odd widths exercise the padding of each row to whole 32-bit words.
constexpr Size Sizes[] = {{1, 1}, {2, 3}, {3, 2}, {4, 4}, {5, 1}, {7, 3}, {13, 5}, {16, 16}};

TEST(BmpWriter, StrideRoundsRowsUpToWholeWords) {
    struct Case {
        int width;
        int bits;
        uint32_t stride;
    };
    const Case cases[] = {{1, 1, 4}, {32, 1, 4}, {33, 1, 8}, {1, 8, 4}, {5, 8, 8}, {136, 8, 136},
                          {1, 24, 4}, {3, 24, 12}, {5, 24, 16}, {340, 24, 1020}, {7, 32, 28}};
    for (const Case& c : cases) EXPECT_EQ(BmpStride(c.width, c.bits), c.stride) << c.width << " x " << c.bits;
}

TEST(BmpWriter, IndexedFileHasFullColourTableAndBottomUpPaddedRows) {
    for (const Size size : Sizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        const IndexedImage image = NumberedIndexed(size.width, size.height);
        const std::vector<uint8_t> file = EncodeIndexedBmp(image);
        const uint32_t stride = BmpStride(size.width, 8);
        const uint32_t pixelOffset = BmpFileHeaderSize + BmpInfoHeaderSize + ColourTableBytes;
        ExpectHeaders(file, size.width, size.height, 8, stride, pixelOffset);
        EXPECT_EQ(ReadU32(file, InfoAt + 32), 256u) << "colours used";
        for (int i = 0; i < PaletteSize; ++i) {
            const size_t at = BmpFileHeaderSize + BmpInfoHeaderSize + i * 4;
            ASSERT_EQ(file[at], image.palette[i].b);
            ASSERT_EQ(file[at + 1], image.palette[i].g);
            ASSERT_EQ(file[at + 2], image.palette[i].r);
            ASSERT_EQ(file[at + 3], 0);
        }
        for (int y = 0; y < size.height; ++y) {
            const size_t row = pixelOffset + static_cast<size_t>(size.height - 1 - y) * stride;
            for (int x = 0; x < size.width; ++x) ASSERT_EQ(file[row + x], image.At(x, y)) << x << "," << y;
            for (uint32_t pad = size.width; pad < stride; ++pad) ASSERT_EQ(file[row + pad], 0);
        }
    }
}

TEST(BmpWriter, TrueColourFileStoresBlueGreenRedBottomUp) {
    for (const Size size : Sizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        const RgbImage image = NumberedRgb(size.width, size.height);
        const std::vector<uint8_t> file = EncodeRgbBmp(image);
        const uint32_t stride = BmpStride(size.width, 24);
        const uint32_t pixelOffset = BmpFileHeaderSize + BmpInfoHeaderSize;
        ExpectHeaders(file, size.width, size.height, 24, stride, pixelOffset);
        EXPECT_EQ(ReadU32(file, InfoAt + 32), 0u) << "no colour table";
        for (int y = 0; y < size.height; ++y) {
            const size_t row = pixelOffset + static_cast<size_t>(size.height - 1 - y) * stride;
            for (int x = 0; x < size.width; ++x) {
                const Rgb8 c = image.At(x, y);
                ASSERT_EQ(file[row + x * 3], c.b);
                ASSERT_EQ(file[row + x * 3 + 1], c.g);
                ASSERT_EQ(file[row + x * 3 + 2], c.r);
            }
            for (uint32_t pad = size.width * 3; pad < stride; ++pad) ASSERT_EQ(file[row + pad], 0);
        }
    }
}

}  // namespace
