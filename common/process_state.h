#pragma once
// Process-wide state shared across the subsystems. Each value has one owner that writes
// it; everyone else only reads. Definitions live with the owner.
#include <windows.h>

// Written once by the entry function (host/entry.cpp).
extern HINSTANCE ModuleInstance;
extern int IsWin9x;
extern int WindowedMode;
extern int PreviewMode;

// Owned by the saver runner (host/saver_runner.cpp).
extern HWND SaverWindow;
extern HWND HostWindow;
extern POINT CursorOrigin;

// Owned by the close policy (host/close_policy.cpp).
extern int CloseApproved;
