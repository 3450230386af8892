#pragma once
// The per-user store of SaverSettings: HKEY_CURRENT_USER\<ProductKeyPath>\<SettingsSubkey>,
// three 32-bit values. Both operations open and close their keys within the call.
#include <windows.h>

constexpr const char* ProductKeyPath = "Software\\ORVANTE\\Pelmira ScreenSaver";
constexpr const char* SettingsSubkey = "Slide";

// Reads the three values into SaverSettings; a value missing, of another type, too large
// or out of range leaves its field as it is. Creates both keys when they are missing.
void LoadSettings();
// Writes all three fields, unchecked. Creates both keys when they are missing.
void SaveSettings();

// Reads "Brightness" from an open key into SaverSettings; returns the query's result code.
LONG ReadBrightness(HKEY key);
// Writes SaverSettings.Brightness to an open key; returns the platform's result code.
LONG WriteBrightness(HKEY key);
