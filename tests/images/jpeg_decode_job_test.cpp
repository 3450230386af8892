#include "images/jpeg_decode_job.h"

#include <gtest/gtest.h>
#include <jerror.h>

#include <cstdlib>
#include <vector>

#include "images/bottom_up_row_writer.h"
#include "tests/images/jpeg_memory_decode.h"
#include "tests/images/jpeg_test_pictures.h"

namespace {

MemoryDecode Decode(const std::vector<uint8_t>& bytes, const MemoryDecodeOptions& options = {}) {
    return DecodeJpegFromMemory(bytes.data(), bytes.size(), options);
}

// The reference decode, rearranged the way the system must store it: row r of the picture
// in memory row height - 1 - r, each pixel blue, green, red.
void ExpectSameAsReference(const MemoryDecode& decoded, const ReferenceDecode& reference) {
    ASSERT_TRUE(reference.Ok);
    ASSERT_EQ(reference.Components, 3);
    ASSERT_EQ(decoded.Width, reference.Width);
    ASSERT_EQ(decoded.Height, reference.Height);
    const size_t stride = static_cast<size_t>(RowStride(decoded.Width));
    ASSERT_EQ(decoded.Pixels.size(), stride * static_cast<size_t>(decoded.Height));
    for (int r = 0; r < decoded.Height; ++r) {
        const uint8_t* memoryRow = decoded.Pixels.data() + stride * static_cast<size_t>(decoded.Height - 1 - r);
        const uint8_t* referenceRow = reference.Samples.data() + static_cast<size_t>(decoded.Width) * 3 * r;
        for (int c = 0; c < decoded.Width; ++c) {
            ASSERT_EQ(memoryRow[c * 3], referenceRow[c * 3 + 2]) << "blue at " << r << "," << c;
            ASSERT_EQ(memoryRow[c * 3 + 1], referenceRow[c * 3 + 1]) << "green at " << r << "," << c;
            ASSERT_EQ(memoryRow[c * 3 + 2], referenceRow[c * 3]) << "red at " << r << "," << c;
        }
    }
}

struct ColourCase {
    int Width, Height;
    bool Progressive;
};

TEST(JpegDecodeJob, ColourPicturesMatchThePlainLibraryDecode) {
    const ColourCase cases[] = {{1, 9, false}, {341, 20, false}, {1024, 40, false}, {37, 23, true}, {1024, 768, false}};
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << (c.Progressive ? " progressive" : ""));
        const std::vector<uint8_t> jpeg =
            EncodeJpeg(MakePatternPicture(c.Width, c.Height, 3, static_cast<uint32_t>(c.Width)), {85, c.Progressive});
        const MemoryDecode decoded = Decode(jpeg);
        EXPECT_EQ(decoded.Result, 1);
        EXPECT_FALSE(decoded.ErrorExitTaken);
        EXPECT_EQ(decoded.Warnings, 0);
        ExpectSameAsReference(decoded, DecodeReference(jpeg));
    }
}

TEST(JpegDecodeJob, GreyscalePicturesAreWidenedToRedGreenBlue) {
    const std::vector<uint8_t> jpeg = EncodeJpeg(MakePatternPicture(45, 17, 1, 3));
    const MemoryDecode decoded = Decode(jpeg);
    ASSERT_EQ(decoded.Result, 1);
    const ReferenceDecode grey = DecodeReference(jpeg);
    ASSERT_EQ(grey.Components, 1);
    ExpectSameAsReference(decoded, DecodeReference(jpeg, JCS_RGB));
    const size_t stride = static_cast<size_t>(RowStride(45));
    for (int c = 0; c < 45; ++c) {
        const uint8_t* topPixel = decoded.Pixels.data() + stride * 16 + c * 3;
        EXPECT_EQ(topPixel[0], grey.Samples[static_cast<size_t>(c)]);
        EXPECT_EQ(topPixel[1], grey.Samples[static_cast<size_t>(c)]);
        EXPECT_EQ(topPixel[2], grey.Samples[static_cast<size_t>(c)]);
    }
}

TEST(JpegDecodeJob, FourComponentPicturesAreRefusedWithoutTouchingTheSink) {
    const std::vector<uint8_t> jpeg = EncodeJpeg(MakePatternPicture(24, 8, 4, 1));
    const MemoryDecode decoded = Decode(jpeg);
    EXPECT_EQ(decoded.Result, 0);
    EXPECT_FALSE(decoded.ErrorExitTaken);
    EXPECT_EQ(decoded.Width, 0);
    EXPECT_TRUE(decoded.Pixels.empty());
}

TEST(JpegDecodeJob, FatalStreamErrorsLeaveThroughTheErrorExit) {
    std::vector<uint8_t> randomBytes(5000);
    uint32_t state = 12345;
    for (auto& byte : randomBytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    randomBytes[0] = 0x17;  // not a start-of-image marker
    const std::vector<uint8_t> tablesOnly = EncodeTablesOnly();
    struct { const char* Name; std::vector<uint8_t> Bytes; int Code; } cases[] = {
        {"empty", {}, JERR_INPUT_EMPTY},
        {"ten bytes", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, JERR_NO_SOI},
        {"random", randomBytes, JERR_NO_SOI},
        {"tables only", tablesOnly, JERR_NO_IMAGE},
    };
    for (const auto& c : cases) {
        const MemoryDecode decoded = Decode(c.Bytes);
        EXPECT_EQ(decoded.Result, 0) << c.Name;
        EXPECT_TRUE(decoded.ErrorExitTaken) << c.Name;
        EXPECT_EQ(decoded.LastMessageCode, c.Code) << c.Name;
    }
}

TEST(JpegDecodeJob, DataEndingInTheEntropyCodedPartStillCompletesThePicture) {
    const std::vector<uint8_t> full = EncodeJpeg(MakePatternPicture(200, 120, 3, 5));
    const size_t entropy = EntropyDataOffset(full);
    ASSERT_LT(entropy + 100, full.size());
    const size_t cut = entropy + (full.size() - entropy) / 2;
    const std::vector<uint8_t> truncated(full.begin(), full.begin() + static_cast<long>(cut));
    const MemoryDecode decoded = Decode(truncated);
    EXPECT_EQ(decoded.Result, 1);
    EXPECT_FALSE(decoded.ErrorExitTaken);
    EXPECT_GE(decoded.Warnings, 1);
    EXPECT_EQ(decoded.Width, 200);
    EXPECT_EQ(decoded.Height, 120);
    EXPECT_EQ(decoded.BytesRead, cut);
    // The rows decoded before the cut are those of the full picture.
    const MemoryDecode whole = Decode(full);
    const size_t stride = static_cast<size_t>(RowStride(200));
    EXPECT_TRUE(std::equal(whole.Pixels.end() - static_cast<long>(stride * 8), whole.Pixels.end(),
                           decoded.Pixels.end() - static_cast<long>(stride * 8)));
}

uint8_t* NoMemory(size_t) { return nullptr; }

TEST(JpegDecodeJob, RefusalsBeforeDecodingGiveZeroAndLeakNothing) {
    const std::vector<uint8_t> jpeg = EncodeJpeg(MakePatternPicture(64, 48, 3, 2));
    MemoryDecodeOptions noRowBuffer;
    noRowBuffer.AllocateRow = NoMemory;
    const MemoryDecode withoutRow = Decode(jpeg, noRowBuffer);
    EXPECT_EQ(withoutRow.Result, 0);
    EXPECT_FALSE(withoutRow.ErrorExitTaken);
    ASSERT_EQ(withoutRow.Width, 64) << "the bitmap came first";
    EXPECT_TRUE(std::all_of(withoutRow.Pixels.begin(), withoutRow.Pixels.end(), [](uint8_t b) { return b == 0; }))
        << "nothing was decoded without a row buffer";

    MemoryDecodeOptions refuse;
    refuse.RefusePixels = true;
    EXPECT_EQ(Decode(jpeg, refuse).Result, 0);

    MemoryDecodeOptions limit;
    limit.PixelLimit = 64 * 48 - 1;
    const MemoryDecode overLimit = Decode(jpeg, limit);
    EXPECT_EQ(overLimit.Result, 0);
    EXPECT_EQ(overLimit.Width, 0);
    limit.PixelLimit = 64 * 48;
    EXPECT_EQ(Decode(jpeg, limit).Result, 1);
}

}  // namespace
