#pragma once
// Arithmetic of the 30 frames-per-second clock, kept free of the platform so that the
// millisecond reading is handed in and the sleep decision handed back.
#include <cstdint>

#include "settings/saver_settings.h"

constexpr uint32_t MillisecondsPerSecond = 1000;
// The most frames one wait passes over: a scene that stands still is still looked at twice a
// second.
constexpr uint32_t MostFramesWaitedThrough = FramesPerSecond / 2;

// What ends the wait for the next frame: every kind of queued input and message that the
// oldest supported Windows (7) knows. Its QS_ALLINPUT in newer headers adds touch and pointer
// bits, and with those Windows 7 refuses the wait at once.
constexpr uint32_t WakeOnKey = 0x0001;
constexpr uint32_t WakeOnMouseMove = 0x0002;
constexpr uint32_t WakeOnMouseButton = 0x0004;
constexpr uint32_t WakeOnPostedMessage = 0x0008;
constexpr uint32_t WakeOnTimer = 0x0010;
constexpr uint32_t WakeOnPaint = 0x0020;
constexpr uint32_t WakeOnSentMessage = 0x0040;
constexpr uint32_t WakeOnHotKey = 0x0080;
constexpr uint32_t WakeOnRawInput = 0x0400;
constexpr uint32_t LoopWakeMask = WakeOnKey | WakeOnMouseMove | WakeOnMouseButton | WakeOnPostedMessage | WakeOnTimer |
                                  WakeOnPaint | WakeOnSentMessage | WakeOnHotKey | WakeOnRawInput;
// Windows 8 and later also queue touch and pen input under bits of their own; the loop waits
// with these first, and with the mask above once a wait has refused them.
constexpr uint32_t WakeOnTouch = 0x0800;
constexpr uint32_t WakeOnPointer = 0x1000;
constexpr uint32_t FullWakeMask = LoopWakeMask | WakeOnTouch | WakeOnPointer;
// The longest interval of the table, for a pause that must not outlast one frame.
constexpr uint32_t LongestFrameMs = (MillisecondsPerSecond + FramesPerSecond - 1) / FramesPerSecond;

struct FrameClockState {
    uint16_t FrameIntervals[FramesPerSecond] = {};
    uint32_t ElapsedMs = 0;
    uint16_t IntervalIndex = 0;
    uint16_t FramesDue = 0;
    uint32_t LastTime = 0;
    int32_t ClockRunning = 0;
};

// What YieldTime should do with the thread: nothing, or sleep for a number of
// milliseconds (0 gives up the rest of the time slice). A wait for the next frame ends
// early when a message arrives, so that input is never slept through.
struct YieldDecision {
    bool Sleeps = false;
    uint32_t SleepMs = 0;
    bool WakesOnMessage = false;
};

// Entry i is floor(1000(i+1)/30) - floor(1000 i/30): 33, 33, 34 repeated, summing to 1000.
void BuildFrameIntervals(FrameClockState& clock);

// Starts the clock at index 0 with nothing accumulated, as of the reading now.
void ResetClockState(FrameClockState& clock, uint32_t now);

// Stops the clock; the table, the index and the due count are left alone.
void StopClockState(FrameClockState& clock, uint32_t now);

// Adds the time since the last reading (modulo 2^32, so a wrap of the millisecond
// counter costs nothing) and turns whole intervals into due frames. Returns the number of
// frames that fell due in this call; a stopped clock counts nothing and is not read.
uint32_t CountDueFrames(FrameClockState& clock, uint32_t now);

// The sleep at the bottom of a loop turn, as of the reading now: with an empty queue, until
// the next frame is due or a message comes; after a dispatched message, only a yield in the
// preview. When the scene will show no change for framesUnchanged frames, the wait runs until
// the last of them is due (MostFramesWaitedThrough at most), so that they are stepped at once.
YieldDecision DecideYield(const FrameClockState& clock, uint32_t now, bool waitForFrame, bool previewMode,
                          uint32_t framesUnchanged);
