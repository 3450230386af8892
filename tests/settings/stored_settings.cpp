#include "tests/settings/stored_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "common/unique_handle.h"
#include "settings/settings_store.h"

namespace {

std::string SubkeyPath() { return std::string(ProductKeyPath) + "\\" + SettingsSubkey; }

}  // namespace

void DeleteSettingsKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, ProductKeyPath);
    RegDeleteKeyA(HKEY_CURRENT_USER, ProductKeyPath);
}

bool SettingsKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SubkeyPath().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void WriteRawSetting(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SubkeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    UniqueRegistryKey owned(key);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void WriteDwordSetting(const char* name, uint32_t value) { WriteRawSetting(name, REG_DWORD, &value, sizeof(value)); }

void WriteStoredSettings(uint32_t brightness, uint32_t fadeType, uint32_t wait) {
    WriteDwordSetting("Brightness", brightness);
    WriteDwordSetting("FadeType", fadeType);
    WriteDwordSetting("Wait", wait);
}

std::optional<uint32_t> ReadStoredDword(const char* name) {
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, SubkeyPath().c_str(), name, RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

std::pair<DWORD, DWORD> StoredTypeAndSize(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SubkeyPath().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {0, 0};
    UniqueRegistryKey owned(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {0, 0};
    return {type, size};
}
