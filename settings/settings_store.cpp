#include "settings/settings_store.h"

#include "common/unique_handle.h"
#include "settings/saver_settings.h"

#include <cstdint>

namespace {

constexpr const char* BrightnessName = "Brightness";
constexpr const char* FadeTypeName = "FadeType";
constexpr const char* WaitName = "Wait";

static_assert(StoredDwordType == REG_DWORD);
static_assert(StoredDwordSize == sizeof(DWORD));

UniqueRegistryKey OpenOrCreateKey(HKEY parent, const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return UniqueRegistryKey();
    }
    return UniqueRegistryKey(key);
}

// Queries one value into a four-byte buffer and takes it into `field` when the rules allow;
// a value of any other size than four bytes is malformed and leaves the field alone.
LONG ReadSetting(HKEY key, const char* name, SettingField field) {
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (result == ERROR_SUCCESS) TakeStoredValue(SaverSettings, field, type, size, value);
    return result;
}

LONG WriteSetting(HKEY key, const char* name, uint32_t field) {
    const DWORD value = field;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

}  // namespace

LONG ReadBrightness(HKEY key) { return ReadSetting(key, BrightnessName, SettingField::Brightness); }

LONG WriteBrightness(HKEY key) { return WriteSetting(key, BrightnessName, SaverSettings.Brightness); }

void LoadSettings() {
    UniqueRegistryKey productKey = OpenOrCreateKey(HKEY_CURRENT_USER, ProductKeyPath);
    if (!productKey) return;
    UniqueRegistryKey settingsKey = OpenOrCreateKey(productKey.get(), SettingsSubkey);
    if (settingsKey) {
        ReadBrightness(settingsKey.get());
        ReadSetting(settingsKey.get(), FadeTypeName, SettingField::FadeType);
        ReadSetting(settingsKey.get(), WaitName, SettingField::Wait);
    }
    settingsKey.reset();
    productKey.reset();
}

void SaveSettings() {
    UniqueRegistryKey productKey = OpenOrCreateKey(HKEY_CURRENT_USER, ProductKeyPath);
    if (!productKey) return;
    UniqueRegistryKey settingsKey = OpenOrCreateKey(productKey.get(), SettingsSubkey);
    if (settingsKey) {
        WriteBrightness(settingsKey.get());
        WriteSetting(settingsKey.get(), FadeTypeName, SaverSettings.FadeType);
        WriteSetting(settingsKey.get(), WaitName, SaverSettings.Wait);
    }
    settingsKey.reset();
    productKey.reset();
}
