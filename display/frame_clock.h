#pragma once
// The 30 frames-per-second clock of the saver loop and the dim-in that it sequences.
#include <cstdint>

#include "display/frame_clock_core.h"

extern FrameClockState FrameClock;
// Dim-in level in 32nds; starts at full brightness and is never reset, so the dim-in runs
// once per process.
extern int32_t DimLevel;

// Starts the clock from index 0 as of now.
void ResetFrameClock();
// Stops the clock: the loop then neither paints nor sleeps on its account.
void StopFrameClock();
// While the display is off no frame falls due, is stepped or painted; when it is back, the
// time it was off brings no frames due.
void PauseForDisplayOff(bool off);
bool DisplayIsOff();
// Skips what is left of the dim-in: a backdrop already at the user's level is shown as it is.
void EndDimIn();
// Top of every loop turn: counts due frames and, when any fell due, steps the scene and
// repaints what changed on the saver window before returning.
void PumpFrames();
// One tick: a dim-in step, or the scene's Advance with every due frame. True when the
// whole window changed (the dim-in, and the switch from it to the scene).
bool StepScene();
// Bottom of every loop turn; waitForFrame is non-zero when the queue was empty. True when
// it waited for the next frame and no message came meanwhile: the queue is still empty.
// While the display is off only a message ends the wait.
bool YieldTime(int waitForFrame);
