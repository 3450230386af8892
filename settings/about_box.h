#pragma once
// The About box (template IDD_ABOUT): a captionless popup that shows one picture on
// white and goes away at the first mouse press or when it loses activation.
#include <windows.h>

// Opens the box modally, owned by the saver window (none while only the settings
// dialog runs); returns what the dialog call returns.
INT_PTR ShowAboutBox(HWND unusedWindow);
INT_PTR CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Paints a control's ground white and opaque; returns the white stock brush.
HBRUSH WhiteControlColor(HDC dc);
