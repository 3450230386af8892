#pragma once
// The scale of the screen the pictures go on, as dots per inch ready for PictureDpi's rules:
// from the newest call the running Windows has, else the screen context's LOGPIXELSX (the
// system's scale), else UnscaledDpi.
#include <windows.h>

// The primary monitor's, where the saver's pictures are shown.
int PrimaryMonitorDpi();
// The monitor's that window is on, for a dialog's pictures.
int WindowDpi(HWND window);
