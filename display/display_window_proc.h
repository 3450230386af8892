#pragma once
// The display layer of the saver window's procedure chain: creation, painting, erasing,
// closing and the palette messages. Everything else goes on to the next procedure of the
// chain, which the host hands in (the default procedure until it does).
#include <windows.h>

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure that receives every message DisplayWindowProc passes on; null restores the
// default procedure.
void ChainDisplayWindowProc(WNDPROC next);
