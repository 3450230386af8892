#pragma once
// The entry function and the settings runner it may hand control to.
#include <windows.h>

// Records the module and the platform family, reads the switch at the start of tail and
// returns the exit code of the runner it chose (0 for a switch it does not understand).
int SaverEntry(HINSTANCE instance, const char* tail);

// Runs the settings dialog modally and returns its end code, or the platform's failure
// value when it cannot be created.
int ShowSettingsDialog(HWND parent);
