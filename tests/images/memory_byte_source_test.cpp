#include "images/memory_byte_source.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

constexpr int BlockLength = 4096;

struct ReadCase {
    const char* Name;
    int32_t Size;
    std::vector<int> Expected;  // results of successive reads of BlockLength
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.Name; }

class MemoryByteSourceReads : public testing::TestWithParam<ReadCase> {};

TEST_P(MemoryByteSourceReads, DeliverTheDataInBlocksThenZero) {
    const ReadCase& c = GetParam();
    std::vector<uint8_t> data(static_cast<size_t>(c.Size));
    std::iota(data.begin(), data.end(), uint8_t{0});
    MemoryByteSource source(data.data(), c.Size);
    std::vector<uint8_t> received;
    for (int expected : c.Expected) {
        std::vector<uint8_t> buffer(BlockLength, 0xEE);
        ASSERT_EQ(source.Read(buffer.data(), BlockLength), expected);
        received.insert(received.end(), buffer.begin(), buffer.begin() + expected);
        if (expected < BlockLength) {
            EXPECT_EQ(buffer[static_cast<size_t>(expected)], 0xEE) << "written past the count";
        }
    }
    EXPECT_EQ(received, data);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MemoryByteSourceReads,
                         testing::Values(ReadCase{"TenBytes", 10, {10, 0, 0}},
                                         ReadCase{"OneBlock", 4096, {4096, 0}},
                                         ReadCase{"BlockAndABit", 5000, {4096, 904, 0}},
                                         ReadCase{"Empty", 0, {0, 0}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MemoryByteSource, OddArgumentsReadNothing) {
    const uint8_t data[] = {9, 8, 7};
    uint8_t buffer[4] = {};
    MemoryByteSource source(data, sizeof data);
    EXPECT_EQ(source.Read(buffer, 0), 0);
    EXPECT_EQ(source.Read(buffer, -5), 0);
    EXPECT_EQ(source.Read(buffer, 4), 3) << "nothing was consumed";
    EXPECT_EQ(buffer[0], 9);

    MemoryByteSource nullData(nullptr, 100);
    EXPECT_EQ(nullData.Read(buffer, 4), 0);

    MemoryByteSource negativeSize(data, -1);
    EXPECT_EQ(negativeSize.Read(buffer, 4), 0);
}

}  // namespace
