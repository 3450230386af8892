#pragma once
// The three user settings of the saver and the rules that decide whether a value read
// back from the per-user store is taken. Platform-free: the store layer hands over what
// its query returned and applies the verdict.
#include <cstdint>

constexpr uint32_t DefaultBrightness = 4;
constexpr uint32_t DefaultFadeType = 0;
constexpr uint32_t DefaultWait = 300;

struct SaverSettingsRecord {
    uint32_t Brightness = DefaultBrightness;  // eighths of full brightness, 0..8
    uint32_t FadeType = DefaultFadeType;      // 0 Fade, 1 Shade, 2 Block
    uint32_t Wait = DefaultWait;              // hold time in frames of 1/30 s
};

// The one record of the process; starts with the defaults.
extern SaverSettingsRecord SaverSettings;

constexpr uint32_t FramesPerSecond = 30;
constexpr uint32_t MaxBrightness = 8;
constexpr uint32_t MaxHoldSeconds = 9000;
// The dialog offers hold times up to MaxHoldSeconds, so the store takes every one of them.
constexpr uint32_t MaxStoredWait = MaxHoldSeconds * FramesPerSecond;

// The store's 32-bit value type code (REG_DWORD) and the size of such a value.
constexpr uint32_t StoredDwordType = 4;
constexpr uint32_t StoredDwordSize = 4;

enum class SettingField { Brightness, FadeType, Wait };

// True when a successful query that returned `typeCode`, `size` bytes and `value` may
// replace the field: a 32-bit value of exactly four bytes, within the field's range.
bool IsStoredValueTaken(SettingField field, uint32_t typeCode, uint32_t size, uint32_t value);

// Replaces the field of `settings` when the stored value is taken; returns whether it was.
bool TakeStoredValue(SaverSettingsRecord& settings, SettingField field, uint32_t typeCode, uint32_t size,
                     uint32_t value);
