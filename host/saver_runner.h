#pragma once
// The runner of the three saver modes: full screen, windowed and preview.
#include <windows.h>

// Runs the saver over the whole screen (no host) or inside host's client area, and
// returns the quit code of its message loop, or 0 when it never got that far.
int RunSaver(HWND host);

// Registers the saver window class; non-zero on success.
int RegisterSaverClass();
