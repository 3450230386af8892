#pragma once
// Declarations of the scale calls and messages that Windows 7 lacks. Built for Windows 7,
// the headers hide them; the calls themselves are looked up at run time.
#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The MONITOR_DPI_TYPE that asks for the scale the user chose.
inline constexpr int EffectiveDpiType = 0;

// shcore.dll, Windows 8.1 on.
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR monitor, int dpiType, UINT* dpiX, UINT* dpiY);
// user32.dll, Windows 10 (1607) on.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND window);
