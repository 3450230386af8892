#include "ico_writer.h"

#include <gtest/gtest.h>

#include "bmp_writer.h"
#include "tests/resources/byte_reader.h"

namespace {

// Opaque except for a transparent left column and top row; colours tell positions apart.
RgbaImage Framed(int side) {
    RgbaImage image(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            uint8_t* p = &image.rgba[(static_cast<size_t>(y) * side + x) * 4];
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x ^ y);
            p[3] = x == 0 || y == 0 ? 0 : static_cast<uint8_t>(128 + (x + y) % 128);
        }
    }
    return image;
}

TEST(IcoWriter, DirectoryDescribesEveryImageAndTheyFollowBackToBack) {
    const int sides[] = {16, 32, 48, 256};
    std::vector<RgbaImage> images;
    for (int side : sides) images.push_back(Framed(side));
    const std::vector<uint8_t> file = EncodeIcon(images);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(ReadU16(file, 0), 0u);
    EXPECT_EQ(ReadU16(file, 2), 1u) << "icon, not cursor";
    ASSERT_EQ(ReadU16(file, 4), 4u);
    uint32_t expectedOffset = IconDirectorySize + 4 * IconEntrySize;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(sides[i]);
        const size_t entry = IconDirectorySize + i * IconEntrySize;
        const uint32_t byteSide = sides[i] == 256 ? 0 : sides[i];
        EXPECT_EQ(file[entry], byteSide);
        EXPECT_EQ(file[entry + 1], byteSide);
        EXPECT_EQ(ReadU16(file, entry + 4), 1u) << "planes";
        EXPECT_EQ(ReadU16(file, entry + 6), 32u) << "bits";
        const uint32_t colourBytes = sides[i] * sides[i] * 4;
        const uint32_t maskBytes = BmpStride(sides[i], 1) * sides[i];
        EXPECT_EQ(ReadU32(file, entry + 8), BmpInfoHeaderSize + colourBytes + maskBytes);
        EXPECT_EQ(ReadU32(file, entry + 12), expectedOffset);
        expectedOffset += ReadU32(file, entry + 8);
    }
    EXPECT_EQ(expectedOffset, file.size());
}

TEST(IcoWriter, ImageIsBottomUpBlueGreenRedAlphaWithMaskOfTransparentPixels) {
    for (int side : {16, 48}) {  // 48 needs padded mask rows (6 bytes -> 8)
        SCOPED_TRACE(side);
        const RgbaImage image = Framed(side);
        const std::vector<uint8_t> file = EncodeIcon({image});
        ASSERT_FALSE(file.empty());
        const size_t header = ReadU32(file, IconDirectorySize + 12);
        EXPECT_EQ(ReadU32(file, header), BmpInfoHeaderSize);
        EXPECT_EQ(ReadI32(file, header + 4), side);
        EXPECT_EQ(ReadI32(file, header + 8), side * 2) << "colour rows and mask rows together";
        EXPECT_EQ(ReadU16(file, header + 14), 32u);
        const size_t pixels = header + BmpInfoHeaderSize;
        const size_t mask = pixels + static_cast<size_t>(side) * side * 4;
        const uint32_t maskStride = BmpStride(side, 1);
        for (int y = 0; y < side; ++y) {
            const int storedRow = side - 1 - y;
            for (int x = 0; x < side; ++x) {
                const uint8_t* want = &image.rgba[(static_cast<size_t>(y) * side + x) * 4];
                const size_t at = pixels + (static_cast<size_t>(storedRow) * side + x) * 4;
                ASSERT_EQ(file[at], want[2]);
                ASSERT_EQ(file[at + 1], want[1]);
                ASSERT_EQ(file[at + 2], want[0]);
                ASSERT_EQ(file[at + 3], want[3]);
                const bool maskBit = (file[mask + storedRow * maskStride + x / 8] >> (7 - x % 8)) & 1;
                ASSERT_EQ(maskBit, want[3] == 0) << x << "," << y;
            }
            for (uint32_t pad = (side + 7) / 8; pad < maskStride; ++pad) ASSERT_EQ(file[mask + storedRow * maskStride + pad], 0);
        }
    }
}

TEST(IcoWriter, RefusesImagesThatAreNotSquareOrTooLarge) {
    const std::vector<RgbaImage> refused[] = {{RgbaImage(16, 15)}, {RgbaImage(257, 257)}, {RgbaImage(0, 0)},
                                              {RgbaImage(32, 32), RgbaImage(20, 32)}};
    for (const auto& images : refused) EXPECT_TRUE(EncodeIcon(images).empty()) << images.back().width << "x" << images.back().height;
}

}  // namespace
