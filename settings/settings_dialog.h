#pragma once
// The settings dialog (template IDD_SETTINGS): brightness, transition effect and hold
// time, edited in SaverSettings directly and stored on OK. Its end code is always 1.
#include <windows.h>

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void InitSettingsDialog(HWND dialog);
void ShowHoldTimeControls(HWND dialog);
void RefreshDialogControls(HWND dialog);
void RestoreDefaults(HWND dialog);
// Applies a scroll request of one of the two setting bars; -1 for any other control.
int ScrollSetting(HWND dialog, UINT code, UINT thumbPosition, HWND scrollBar);
// Releases the sample picture and the palette; safe to run more than once.
void CloseSettingsDialog(HWND dialog);
