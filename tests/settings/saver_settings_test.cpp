#include "settings/saver_settings.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Type codes of the store, by their platform names.
enum : uint32_t {
    TypeNone = 0,
    TypeString = 1,
    TypeExpandString = 2,
    TypeBinary = 3,
    TypeDword = 4,
    TypeDwordBigEndian = 5,
    TypeLink = 6,
    TypeMultiString = 7,
    TypeResourceList = 8,
    TypeFullResourceDescriptor = 9,
    TypeResourceRequirements = 10,
    TypeQword = 11,
};

TEST(SaverSettingsTest, StartsWithTheDefaults) {
    const SaverSettingsRecord fresh;
    EXPECT_EQ(fresh.Brightness, 4u);
    EXPECT_EQ(fresh.FadeType, 0u);
    EXPECT_EQ(fresh.Wait, 300u);
}

struct ShapeCase {
    uint32_t typeCode;
    uint32_t size;
    bool taken;
};

// Only a 32-bit value of exactly four bytes is read; every other type code, and a
// malformed 32-bit value of any other size, leaves the field alone.
TEST(SaverSettingsTest, TakesOnlyDwordsOfExactlyFourBytes) {
    const ShapeCase cases[] = {
        {TypeNone, 4, false},         {TypeString, 2, false},
        {TypeString, 4, false},       {TypeExpandString, 4, false},
        {TypeBinary, 2, false},       {TypeBinary, 4, false},
        {TypeBinary, 8, false},       {TypeDword, 0, false},
        {TypeDword, 1, false},        {TypeDword, 2, false},
        {TypeDword, 3, false},        {TypeDword, 4, true},
        {TypeDword, 5, false},        {TypeDword, 8, false},
        {TypeDword, 0xFFFFFFFFu, false}, {TypeDwordBigEndian, 4, false},
        {TypeLink, 4, false},         {TypeMultiString, 4, false},
        {TypeResourceList, 4, false}, {TypeFullResourceDescriptor, 4, false},
        {TypeResourceRequirements, 4, false}, {TypeQword, 4, false},
        {TypeQword, 8, false},        {0xFFFFFFFFu, 4, false},
    };
    // A value every field accepts, so only the type and size decide.
    const uint32_t acceptable = 2;
    for (const SettingField field : {SettingField::Brightness, SettingField::FadeType, SettingField::Wait}) {
        for (const ShapeCase& c : cases) {
            EXPECT_EQ(IsStoredValueTaken(field, c.typeCode, c.size, acceptable), c.taken)
                << "field " << static_cast<int>(field) << " type " << c.typeCode << " size " << c.size;
        }
    }
}

struct ValueCase {
    SettingField field;
    uint32_t value;
    bool taken;
};

TEST(SaverSettingsTest, TakesOnlyValuesInRange) {
    const ValueCase cases[] = {
        {SettingField::Brightness, 0, true},
        {SettingField::Brightness, 4, true},
        {SettingField::Brightness, 8, true},
        {SettingField::Brightness, 9, false},
        {SettingField::Brightness, 0x80000000u, false},
        {SettingField::Brightness, 0xFFFFFFFFu, false},
        {SettingField::FadeType, 0, false},
        {SettingField::FadeType, 1, true},
        {SettingField::FadeType, 2, true},
        {SettingField::FadeType, 3, false},
        {SettingField::FadeType, 0xFFFFFFFFu, false},
        {SettingField::Wait, 0, true},
        {SettingField::Wait, 300, true},
        {SettingField::Wait, 9000, true},
        {SettingField::Wait, 9001, true},
        {SettingField::Wait, 270000, true},
        {SettingField::Wait, 270001, false},
        {SettingField::Wait, 0x80000000u, false},
        {SettingField::Wait, 0xFFFFFFFFu, false},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(IsStoredValueTaken(c.field, TypeDword, 4, c.value), c.taken)
            << "field " << static_cast<int>(c.field) << " value " << c.value;
    }
}

TEST(SaverSettingsTest, TakingChangesOnlyTheNamedField) {
    SaverSettingsRecord settings{1, 2, 3};
    EXPECT_TRUE(TakeStoredValue(settings, SettingField::Brightness, TypeDword, 4, 8));
    EXPECT_TRUE(TakeStoredValue(settings, SettingField::FadeType, TypeDword, 4, 1));
    EXPECT_TRUE(TakeStoredValue(settings, SettingField::Wait, TypeDword, 4, 270000));
    EXPECT_EQ(settings.Brightness, 8u);
    EXPECT_EQ(settings.FadeType, 1u);
    EXPECT_EQ(settings.Wait, 270000u);

    EXPECT_FALSE(TakeStoredValue(settings, SettingField::Brightness, TypeDword, 4, 9));
    EXPECT_FALSE(TakeStoredValue(settings, SettingField::FadeType, TypeDword, 4, 0));
    EXPECT_FALSE(TakeStoredValue(settings, SettingField::Wait, TypeBinary, 4, 5));
    EXPECT_EQ(settings.Brightness, 8u);
    EXPECT_EQ(settings.FadeType, 1u);
    EXPECT_EQ(settings.Wait, 270000u);
}

// Every hold time the dialog offers survives the trip through the store.
TEST(SaverSettingsTest, EveryOfferedHoldTimeIsTakenBack) {
    for (uint32_t seconds = 0; seconds <= MaxHoldSeconds; ++seconds) {
        ASSERT_TRUE(IsStoredValueTaken(SettingField::Wait, TypeDword, 4, seconds * FramesPerSecond)) << seconds;
    }
}

}  // namespace
