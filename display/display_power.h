#pragma once
// The full-screen saver stands still while the system has turned the display off: no frame is
// counted, stepped or painted. When the display comes back the show goes on from where it
// stood, without catching up the time it was off.
#include <windows.h>

// Asks the platform to tell saverWindow when the display goes off and comes back.
void WatchDisplayPower(HWND saverWindow);
// Withdraws that request; the display counts as on again.
void StopWatchingDisplayPower();
// The platform's notice that a power setting changed (WM_POWERBROADCAST with
// PBT_POWERSETTINGCHANGE); true when the setting was the display's state.
bool FollowDisplayPower(HWND saverWindow, LPARAM setting);
