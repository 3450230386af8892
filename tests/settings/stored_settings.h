#pragma once
// The store's real registry key in the prefix, as the tests write, read and remove it.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <utility>

// Removes the product key with everything below it.
void DeleteSettingsKey();
bool SettingsKeyExists();
// Writes one raw value into the settings subkey, creating the keys as needed.
void WriteRawSetting(const char* name, DWORD type, const void* data, DWORD size);
void WriteDwordSetting(const char* name, uint32_t value);
void WriteStoredSettings(uint32_t brightness, uint32_t fadeType, uint32_t wait);
// The value as stored: nothing when it is missing or not a four-byte REG_DWORD.
std::optional<uint32_t> ReadStoredDword(const char* name);
// The type and size of the stored value, or zeros when it is missing.
std::pair<DWORD, DWORD> StoredTypeAndSize(const char* name);
