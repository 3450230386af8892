#pragma once
// The full-screen saver follows a change of the screen (a new mode, monitors that come or
// go): it uncovers the screen so that the desktop can show and settle, then rebuilds its display
// over the new screen and comes back over all of it.
#include <windows.h>

// On the platform's notice of a change; a later notice restarts the wait.
void AwaitSettledDisplay(HWND saverWindow);
// True when timerId ends that wait, which it then does: the display is rebuilt and the window
// shown over the new screen, or, when the new screen cannot be covered, destroyed, which ends
// the saver as an ordinary close does.
bool FollowSettledDisplay(HWND saverWindow, WPARAM timerId);
