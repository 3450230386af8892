#include "images/image_source.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* Number(uintptr_t value) { return reinterpret_cast<const char*>(value); }

TEST(ImageSourceRecord, StartsWithoutASource) {
    ImageSourceRecord record;
    EXPECT_FALSE(record.HasSource());
    EXPECT_TRUE(record.IsNumber());
    EXPECT_EQ(record.Bytes()[0], 1);
    EXPECT_EQ(record.Bytes()[1], 0);
    EXPECT_EQ(record.Bytes()[2], 0);
}

TEST(ImageSourceRecord, NumbersAreStoredAfterTheTagLeastSignificantByteFirst) {
    struct { uintptr_t Value; uint8_t Low, High; } cases[] = {{106, 106, 0}, {11001, 0xF9, 0x2A}, {0xFFFF, 0xFF, 0xFF}};
    for (const auto& c : cases) {
        ImageSourceRecord record;
        record.Set(Number(c.Value));
        EXPECT_TRUE(record.HasSource());
        EXPECT_EQ(record.Number(), c.Value);
        EXPECT_EQ(record.Bytes()[1], c.Low);
        EXPECT_EQ(record.Bytes()[2], c.High);
        EXPECT_EQ(record.AsResourceName(), Number(c.Value));
    }
}

TEST(ImageSourceRecord, NamesAreKeptAsTextUpTo255Characters) {
    const std::string longName(300, 'q');
    const std::string cases[] = {"SAMPLE", std::string(255, 'x'), longName};
    for (const std::string& name : cases) {
        ImageSourceRecord record;
        record.Set(name.c_str());
        EXPECT_FALSE(record.IsNumber());
        EXPECT_TRUE(record.HasSource());
        EXPECT_EQ(std::string(record.AsResourceName()), name.substr(0, 255));
        EXPECT_NE(record.AsResourceName(), name.c_str()) << "a copy, not the caller's pointer";
    }
}

TEST(ImageSourceRecord, NullChangesNothingAndANumberReplacesAName) {
    ImageSourceRecord record;
    record.Set("PICTURE");
    record.Set(nullptr);
    EXPECT_STREQ(record.AsResourceName(), "PICTURE");
    record.Set(Number(42));
    EXPECT_EQ(record.Number(), 42);
    record.Set(Number(0));  // the number 0 is the null pointer: still nothing changes
    EXPECT_EQ(record.Number(), 42);
}

TEST(IsResourceNumber, SixteenBitValuesAreNumbers) {
    const char text[] = "x";
    EXPECT_TRUE(IsResourceNumber(Number(0)));
    EXPECT_TRUE(IsResourceNumber(Number(0xFFFF)));
    EXPECT_FALSE(IsResourceNumber(Number(0x10000)));
    EXPECT_FALSE(IsResourceNumber(text));
}

}  // namespace
