#include "images/picture_resampler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "common/pixel_layout.h"
#include "tests/images/jpeg_memory_decode.h"
#include "tests/images/jpeg_test_pictures.h"

namespace {

struct Picture {
    int Width, Height;
    std::vector<uint8_t> Bytes;  // top-down, 3 bytes a pixel, no filler
    Picture(int width, int height) : Width(width), Height(height), Bytes(static_cast<size_t>(width) * height * 3) {}
    uint8_t* At(int x, int y) { return Bytes.data() + (static_cast<size_t>(y) * Width + x) * 3; }
    SourceRows Source() const { return {Bytes.data(), static_cast<ptrdiff_t>(Width) * 3, Width, Height}; }
    TargetRows Target() { return {Bytes.data(), static_cast<ptrdiff_t>(Width) * 3, Width, Height}; }
};

// Blue rises evenly from left to right, green from top to bottom, red stays flat.
Picture Ramps(int width, int height) {
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.At(x, y);
            pixel[0] = static_cast<uint8_t>(x * 255 / (width - 1));
            pixel[1] = static_cast<uint8_t>(y * 255 / (height - 1));
            pixel[2] = 77;
        }
    return picture;
}

// A proper filter keeps a flat colour exact and an even ramp even, shrinking and growing;
// away from the edges each pixel is the ramp's value at its centre.
TEST(ResamplePicture, KeepsFlatColoursAndEvenRampsAtAnySize) {
    const int sizes[][4] = {{128, 96, 117, 88}, {64, 48, 37, 22}, {40, 30, 100, 75}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " to " << size[2] << "x" << size[3]);
        const Picture source = Ramps(size[0], size[1]);
        Picture target(size[2], size[3]);
        ASSERT_TRUE(ResamplePicture(source.Source(), target.Target()));
        const double across = static_cast<double>(size[0]) / size[2];
        const double down = static_cast<double>(size[1]) / size[3];
        for (int y = 0; y < target.Height; ++y)
            for (int x = 0; x < target.Width; ++x) {
                const uint8_t* pixel = target.At(x, y);
                ASSERT_EQ(pixel[2], 77) << x << "," << y;
                const double sourceX = (x + 0.5) * across - 0.5;
                const double sourceY = (y + 0.5) * down - 0.5;
                if (sourceX < 3 * across || sourceX > size[0] - 1 - 3 * across) continue;
                if (sourceY < 3 * down || sourceY > size[1] - 1 - 3 * down) continue;
                // The ramp itself is rounded down, and each pass rounds once.
                ASSERT_NEAR(pixel[0], sourceX * 255 / (size[0] - 1), 2) << x << "," << y;
                ASSERT_NEAR(pixel[1], sourceY * 255 / (size[1] - 1), 2) << x << "," << y;
            }
    }
}

TEST(ResamplePicture, WritesBottomUpThroughANegativeStride) {
    const Picture source = Ramps(20, 16);
    Picture target(15, 12);
    const TargetRows bottomUp{target.At(0, target.Height - 1), -static_cast<ptrdiff_t>(target.Width) * 3, 15, 12};
    ASSERT_TRUE(ResamplePicture(source.Source(), bottomUp));
    // The source's bottom rows (green near 255) come first in memory.
    EXPECT_GT(target.At(0, 0)[1], 240);
    EXPECT_LT(target.At(0, target.Height - 1)[1], 15);
    EXPECT_FALSE(ResamplePicture(source.Source(), TargetRows{target.Bytes.data(), 45, 0, 12}));
}

struct ScaledCase {
    int Dpi;
    int Width, Height;
};

// Decoded at the scale: the planned size, rows still bottom-up, colours kept, whether the
// decoder's own M/8 gives the size or the resampler finishes it.
TEST(JpegDecodeJob, DecodesPicturesAtTheirScaledSize) {
    const std::vector<uint32_t> blockColours = {0xC02040, 0x30A060, 0x2050D0};
    const std::vector<uint8_t> jpeg = EncodeJpeg(MakeBlockPicture(128, 96, blockColours), {95, false});
    const ScaledCase cases[] = {{96, 128, 96}, {120, 160, 120}, {144, 192, 144}, {192, 256, 192},
                                {110, 147, 110}, {240, 320, 240}};
    for (const ScaledCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Dpi << " dpi");
        MemoryDecodeOptions options;
        options.Dpi = c.Dpi;
        const MemoryDecode decoded = DecodeJpegFromMemory(jpeg.data(), jpeg.size(), options);
        ASSERT_EQ(decoded.Result, 1);
        ASSERT_EQ(decoded.Width, c.Width);
        ASSERT_EQ(decoded.Height, c.Height);
        const size_t stride = static_cast<size_t>(RowStride(decoded.Width));
        // The middle of the top block row sits near the end of the buffer, the next block row
        // below it.
        const int blockRows = 16 * c.Height / 96;
        for (int band = 0; band < 2; ++band) {
            const int row = band * blockRows + blockRows / 2;
            const uint8_t* pixel = decoded.Pixels.data() + stride * static_cast<size_t>(decoded.Height - 1 - row) +
                                   static_cast<size_t>(decoded.Width / 2) * 3;
            const uint32_t rgb = blockColours[static_cast<size_t>(band)];
            EXPECT_NEAR(pixel[0], rgb & 0xFF, 4);
            EXPECT_NEAR(pixel[1], (rgb >> 8) & 0xFF, 4);
            EXPECT_NEAR(pixel[2], (rgb >> 16) & 0xFF, 4);
        }
    }
}

}  // namespace
