#include <gtest/gtest.h>

#include "settings/saver_settings.h"
#include "settings/settings_store.h"
#include "tests/settings/settings_test_support.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// Values the tests start from, none of them a default, so a field left alone shows.
const SaverSettingsRecord Untouched{7, 2, 1234};

using StoreTest = SettingsKeyTest;

void ExpectSettings(const SaverSettingsRecord& actual, const SaverSettingsRecord& expected, const char* what) {
    EXPECT_EQ(actual.Brightness, expected.Brightness) << what;
    EXPECT_EQ(actual.FadeType, expected.FadeType) << what;
    EXPECT_EQ(actual.Wait, expected.Wait) << what;
}

struct StoredCase {
    const char* what;
    const char* name;
    DWORD type;
    std::vector<uint8_t> bytes;
    SaverSettingsRecord expected;
};

std::vector<uint8_t> Dword(uint32_t value) {
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

TEST_F(StoreTest, LoadTakesOnlyValidValues) {
    const std::vector<uint8_t> eightBytes{3, 0, 0, 0, 0, 0, 0, 0};
    const StoredCase cases[] = {
        {"brightness 8", "Brightness", REG_DWORD, Dword(8), {8, 2, 1234}},
        {"brightness 0", "Brightness", REG_DWORD, Dword(0), {0, 2, 1234}},
        {"brightness 9", "Brightness", REG_DWORD, Dword(9), Untouched},
        {"brightness as text", "Brightness", REG_SZ, {'3', 0}, Untouched},
        {"brightness as 2 binary bytes", "Brightness", REG_BINARY, {3, 0}, Untouched},
        {"brightness as 8 binary bytes", "Brightness", REG_BINARY, eightBytes, Untouched},
        {"brightness dword of 8 bytes", "Brightness", REG_DWORD, eightBytes, Untouched},
        // A 32-bit value of another size than four bytes is malformed.
        {"brightness dword of 1 byte", "Brightness", REG_DWORD, {1}, Untouched},
        {"brightness dword of 2 bytes", "Brightness", REG_DWORD, {5, 0}, Untouched},
        {"brightness big-endian", "Brightness", REG_DWORD_BIG_ENDIAN, Dword(3), Untouched},
        {"fade type 0", "FadeType", REG_DWORD, Dword(0), Untouched},
        {"fade type 1", "FadeType", REG_DWORD, Dword(1), {7, 1, 1234}},
        {"fade type 2", "FadeType", REG_DWORD, Dword(2), {7, 2, 1234}},
        {"fade type 3", "FadeType", REG_DWORD, Dword(3), Untouched},
        {"fade type as text", "FadeType", REG_SZ, {'1', 0}, Untouched},
        {"wait 0", "Wait", REG_DWORD, Dword(0), {7, 2, 0}},
        {"wait 9000", "Wait", REG_DWORD, Dword(9000), {7, 2, 9000}},
        {"wait 9001", "Wait", REG_DWORD, Dword(9001), {7, 2, 9001}},
        {"wait 270000", "Wait", REG_DWORD, Dword(270000), {7, 2, 270000}},
        {"wait 270001", "Wait", REG_DWORD, Dword(270001), Untouched},
        {"wait top bit", "Wait", REG_DWORD, Dword(0x80000000u), Untouched},
        {"wait as 8 binary bytes", "Wait", REG_BINARY, eightBytes, Untouched},
    };
    for (const StoredCase& c : cases) {
        DeleteSettingsKey();
        WriteRawSetting(c.name, c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        SaverSettings = Untouched;
        LoadSettings();
        ExpectSettings(SaverSettings, c.expected, c.what);
    }
}

// Every type code, and sizes from nothing to 1 MiB, under all three names at once. The
// bytes read as 1, a value each setting takes; only a REG_DWORD of exactly four bytes is
// read at all. Reading changes nothing that is stored.
TEST_F(StoreTest, ValuesOfEveryTypeAndSizeAreReadSafelyAndLeftAsStored) {
    const DWORD types[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN, REG_LINK,
                           REG_MULTI_SZ, REG_RESOURCE_LIST, REG_FULL_RESOURCE_DESCRIPTOR,
                           REG_RESOURCE_REQUIREMENTS_LIST, REG_QWORD, 0x7FFF};
    const DWORD sizes[] = {0, 1, 2, 3, 4, 5, 8, 4096, 1u << 20};
    const char* const names[] = {"Brightness", "FadeType", "Wait"};
    for (DWORD type : types) {
        for (DWORD size : sizes) {
            std::vector<uint8_t> bytes(size, 0);
            if (size > 0) bytes[0] = 1;
            DeleteSettingsKey();
            for (const char* name : names) WriteRawSetting(name, type, bytes.data(), size);
            SaverSettings = Untouched;
            LoadSettings();

            const std::string what = "type " + std::to_string(type) + ", " + std::to_string(size) + " bytes";
            SaverSettingsRecord expected = Untouched;
            if (type == REG_DWORD && size == 4) expected = {1, 1, 1};
            ExpectSettings(SaverSettings, expected, what.c_str());
            for (const char* name : names) {
                EXPECT_EQ(StoredTypeAndSize(name), std::make_pair(type, size)) << what << ", " << name;
            }
        }
    }
}

TEST_F(StoreTest, RefusedValueDoesNotStopTheOthers) {
    WriteDwordSetting("Brightness", 9);
    WriteRawSetting("FadeType", REG_SZ, "2", 2);
    WriteDwordSetting("Wait", 600);
    SaverSettings = Untouched;
    LoadSettings();
    ExpectSettings(SaverSettings, {7, 2, 600}, "only the wait taken");
}

TEST_F(StoreTest, MissingValuesAndMissingKeyKeepTheRecordAndCreateTheKeys) {
    ASSERT_FALSE(SettingsKeyExists());
    SaverSettings = Untouched;
    LoadSettings();
    ExpectSettings(SaverSettings, Untouched, "missing key");
    EXPECT_TRUE(SettingsKeyExists());
    EXPECT_FALSE(ReadStoredDword("Brightness").has_value());

    LoadSettings();
    ExpectSettings(SaverSettings, Untouched, "missing values");
}

TEST_F(StoreTest, SaveCreatesTheKeysAndWritesAllThreeUnchecked) {
    SaverSettings = SaverSettingsRecord{};
    SaveSettings();
    EXPECT_EQ(ReadStoredDword("Brightness"), 4u);
    EXPECT_EQ(ReadStoredDword("FadeType"), 0u);
    EXPECT_EQ(ReadStoredDword("Wait"), 300u);

    SaverSettings = {99, 5, 0xFFFFFFFFu};
    SaveSettings();
    EXPECT_EQ(ReadStoredDword("Brightness"), 99u);
    EXPECT_EQ(ReadStoredDword("FadeType"), 5u);
    EXPECT_EQ(ReadStoredDword("Wait"), 0xFFFFFFFFu);
}

constexpr const char* ExpectedVariable = "SLIDE_EXPECTED_SETTINGS";

// Saved here, loaded by a new process: the record comes back, a FadeType of 0 through
// the default, and the longest hold time the dialog offers too.
TEST_F(StoreTest, SavedSettingsComeBackInANewProcess) {
    const SaverSettingsRecord rounds[] = {{8, 2, 270000}, {0, 0, 0}, {3, 1, 301}};
    for (const SaverSettingsRecord& saved : rounds) {
        SaverSettings = saved;
        SaveSettings();
        char expected[64];
        std::snprintf(expected, sizeof(expected), "%u %u %u", saved.Brightness, saved.FadeType, saved.Wait);
        EXPECT_EQ(RunTestInFreshProcess("SettingsStoreChild.DISABLED_LoadsExpectedSettings", ExpectedVariable, expected),
                  0)
            << expected;
    }
}

// Runs only inside the process that the test above starts.
TEST(SettingsStoreChild, DISABLED_LoadsExpectedSettings) {
    SaverSettingsRecord expected;
    ASSERT_EQ(std::sscanf(EnvironmentValue(ExpectedVariable).c_str(), "%u %u %u", &expected.Brightness,
                          &expected.FadeType, &expected.Wait),
              3);
    ExpectSettings(SaverSettings, SaverSettingsRecord{}, "fresh process");
    LoadSettings();
    ExpectSettings(SaverSettings, expected, "loaded");
}

}  // namespace
