#pragma once
// Where the saver runs. Windows may start a screen saver on a desktop of its own, the secure
// screen-saver desktop, whose surface shows nothing of the user's desktop.
#include <windows.h>

// True when the calling thread's desktop is that one.
bool RunsOnSecureSaverDesktop();

// Draws the user's desktop, from its settings, into CaptureBitmap in place of a snapshot.
void DrawDesktopIntoCapture();
