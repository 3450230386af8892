#pragma once
// The full-screen saver follows a change of the screen (a new mode, monitors that come or
// go, a new scale): it uncovers the screen so that the desktop can show and settle, then
// rebuilds its display over the new screen and comes back over all of it. While uncovered it
// keeps the mouse and the keyboard, so input still ends it.
#include <windows.h>

// Remembers the screen as the display was built for it and, since the platform may drop a
// change's notice, looks at the screen now and then; call once the window exists.
void WatchScreen(HWND saverWindow);
// While nobody can see the screen the watch stands still; resumed, it looks at once.
void PauseScreenWatch(HWND saverWindow);
void ResumeScreenWatch(HWND saverWindow);
// On the platform's notice of a change; a later notice restarts the wait. A notice after
// which the monitors, their depth and scale are as followed changes nothing, unless
// evenIfUnchanged (the scale's own notice, which comes before every reading shows it).
void AwaitSettledDisplay(HWND saverWindow, bool evenIfUnchanged);
// True when timerId is the watch's, which looks for a change as a notice would, or ends that
// wait, which it then does: the display is rebuilt and the window
// shown over the new screen, or, when the new screen cannot be covered, destroyed, which ends
// the saver as an ordinary close does.
bool FollowSettledDisplay(HWND saverWindow, WPARAM timerId);
