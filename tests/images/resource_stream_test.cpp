#include "images/resource_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/resource_ids.h"
#include "tests/images/test_resource_data.h"
#include "tests/images/test_resource_ids.h"

namespace {

using namespace test_resources;

constexpr int BlockLength = 4096;
constexpr char Jpeg[] = "JPEG";

struct StreamCase {
    const char* Name;
    int Id;
    std::vector<int> Reads;  // results of successive reads of BlockLength
};

TEST(ResourceStream, ReadsEachResourceInBlocksThenGivesZero) {
    const StreamCase cases[] = {
        {"ten bytes", IDR_TEST_TEN_BYTES, {10, 0, 0}},
        {"exactly one block", IDR_TEST_BLOCK, {4096, 0}},
        {"empty", IDR_TEST_EMPTY, {0, 0}},
    };
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ResourceStream stream;
        ASSERT_EQ(stream.OpenResource(nullptr, MAKEINTRESOURCEA(c.Id), Jpeg), 1);
        EXPECT_TRUE(stream.IsOpen());
        size_t position = 0;
        for (int expected : c.Reads) {
            std::vector<uint8_t> buffer(BlockLength);
            ASSERT_EQ(stream.Read(buffer.data(), BlockLength), expected);
            for (int i = 0; i < expected; ++i, ++position) ASSERT_EQ(buffer[static_cast<size_t>(i)], PlainByte(position));
        }
        EXPECT_TRUE(stream.IsOpen()) << "the end of the data does not close the stream";
    }
}

TEST(ResourceStream, FailedOpensLeaveTheStreamClosed) {
    struct { const char* Name; LPCSTR Resource; LPCSTR Type; } cases[] = {
        {"null name", nullptr, Jpeg},
        {"missing number", MAKEINTRESOURCEA(IDR_TEST_MISSING), Jpeg},
        {"missing name", "NO_SUCH_PICTURE", Jpeg},
        {"present under another type", MAKEINTRESOURCEA(IDR_TEST_TEN_BYTES), "PNG"},
    };
    for (const auto& c : cases) {
        ResourceStream stream;
        ASSERT_EQ(stream.OpenResource(nullptr, MAKEINTRESOURCEA(IDR_TEST_BLOCK), Jpeg), 1);
        EXPECT_EQ(stream.OpenResource(nullptr, c.Resource, c.Type), 0) << c.Name;
        EXPECT_FALSE(stream.IsOpen()) << c.Name;
        uint8_t buffer[16];
        EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0) << c.Name;
    }
}

TEST(ResourceStream, OpeningAgainStartsTheNewResourceAtItsFirstByte) {
    ResourceStream stream;
    std::vector<uint8_t> buffer(BlockLength);
    ASSERT_EQ(stream.OpenResource(nullptr, MAKEINTRESOURCEA(IDR_TEST_BLOCK), Jpeg), 1);
    ASSERT_EQ(stream.Read(buffer.data(), 100), 100);
    ASSERT_EQ(stream.OpenResource(nullptr, MAKEINTRESOURCEA(IDR_TEST_TEN_BYTES), Jpeg), 1);
    ASSERT_EQ(stream.Read(buffer.data(), BlockLength), 10);
    EXPECT_EQ(buffer[0], PlainByte(0));
    ASSERT_EQ(stream.OpenResource(nullptr, MAKEINTRESOURCEA(IDR_TEST_TEN_BYTES), Jpeg), 1);
    EXPECT_EQ(stream.Read(buffer.data(), BlockLength), 10) << "reopening is the way back to the start";
    stream.Close();
    stream.Close();
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(stream.Read(buffer.data(), BlockLength), 0);
}

TEST(ResourceStream, OpensTheProductPicturesByNumber) {
    ResourceStream stream;
    ASSERT_EQ(stream.OpenResource(nullptr, MAKEINTRESOURCEA(IDR_PICTURE_FIRST), Jpeg), 1);
    uint8_t start[2] = {};
    ASSERT_EQ(stream.Read(start, 2), 2);
    EXPECT_EQ(start[0], 0xFF);
    EXPECT_EQ(start[1], 0xD8);
}

}  // namespace
