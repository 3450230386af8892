#include "jpeg_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = true;
    bool hasJfifMarker = false;
    std::vector<uint8_t> rgb;
};

Decoded Decode(const std::vector<uint8_t>& bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    Decoded result;
    result.progressive = info.progressive_mode;
    result.hasJfifMarker = info.saw_JFIF_marker;
    jpeg_start_decompress(&info);
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    result.components = info.output_components;
    result.rgb.resize(static_cast<size_t>(result.width) * result.height * result.components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.rgb.data() + static_cast<size_t>(info.output_scanline) * result.width * result.components;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return result;
}

// The code of the first start-of-frame marker (0xC0 baseline, 0xC1 extended, 0xC2
// progressive), found by walking the marker segments; 0 when there is none.
int FrameMarker(const std::vector<uint8_t>& bytes) {
    constexpr int StartOfScan = 0xDA;
    size_t at = 2;
    while (at + 4 <= bytes.size() && bytes[at] == 0xFF) {
        const int code = bytes[at + 1];
        if (code >= 0xC0 && code <= 0xC3) return code;
        if (code == StartOfScan) return 0;
        at += 2 + (bytes[at + 2] << 8 | bytes[at + 3]);
    }
    return 0;
}

// Smooth colour ramps: what the painted pictures mostly consist of.
RgbImage Ramps(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.Set(x, y, {static_cast<uint8_t>(x * 255 / width), static_cast<uint8_t>(y * 255 / height), 90});
        }
    }
    return image;
}

TEST(JpegWriter, WritesBaselineJfifThatDecodesToTheSamePicture) {
    // Sizes that are not multiples of the 16-pixel coding blocks, too.
    for (const auto& [width, height] : {std::pair{64, 48}, std::pair{37, 21}, std::pair{1, 1}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        const RgbImage image = Ramps(width, height);
        const std::vector<uint8_t> bytes = EncodeJpeg(image, 90);
        ASSERT_GT(bytes.size(), 4u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xD8) << "starts with the start-of-image marker";
        const Decoded decoded = Decode(bytes);
        EXPECT_TRUE(decoded.hasJfifMarker);
        EXPECT_FALSE(decoded.progressive);
        EXPECT_EQ(FrameMarker(bytes), 0xC0) << "baseline frame";
        ASSERT_EQ(decoded.width, width);
        ASSERT_EQ(decoded.height, height);
        ASSERT_EQ(decoded.components, 3);
        long error = 0;
        for (size_t i = 0; i < image.rgb.size(); ++i) error += std::abs(decoded.rgb[i] - image.rgb[i]);
        EXPECT_LT(static_cast<double>(error) / image.rgb.size(), 3.0) << "mean error per channel at quality 90";
    }
}

TEST(JpegWriter, SamePixelsGiveSameBytesAndQualityChangesThem) {
    const RgbImage image = Ramps(80, 60);
    const std::vector<uint8_t> first = EncodeJpeg(image, 90);
    EXPECT_EQ(first, EncodeJpeg(image, 90));
    EXPECT_NE(first, EncodeJpeg(image, 50));
}

TEST(JpegWriter, EmptyPictureGivesNoBytesInsteadOfEndingTheProcess) {
    EXPECT_TRUE(EncodeJpeg(RgbImage(), 90).empty());
}

}  // namespace
