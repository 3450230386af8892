#pragma once
// The display layer of the saver window's procedure chain: creation, painting, erasing,
// closing and the palette messages. Everything else goes on to the close policy.
#include <windows.h>

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
