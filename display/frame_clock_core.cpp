#include "display/frame_clock_core.h"

#include <algorithm>

namespace {

// The interval of the frame ahead frames after the current one.
uint16_t IntervalAhead(const FrameClockState& clock, uint32_t ahead) {
    return clock.FrameIntervals[(clock.IntervalIndex + ahead) % FramesPerSecond];
}

uint16_t CurrentInterval(const FrameClockState& clock) { return IntervalAhead(clock, 0); }

}  // namespace

void BuildFrameIntervals(FrameClockState& clock) {
    for (uint32_t i = 0; i < FramesPerSecond; ++i) {
        const uint32_t start = MillisecondsPerSecond * i / FramesPerSecond;
        const uint32_t end = MillisecondsPerSecond * (i + 1) / FramesPerSecond;
        clock.FrameIntervals[i] = static_cast<uint16_t>(end - start);
    }
}

void ResetClockState(FrameClockState& clock, uint32_t now) {
    BuildFrameIntervals(clock);
    clock.ElapsedMs = 0;
    clock.FramesDue = 0;
    clock.IntervalIndex = 0;
    clock.LastTime = now;
    clock.ClockRunning = 1;
}

void StopClockState(FrameClockState& clock, uint32_t now) {
    clock.ClockRunning = 0;
    clock.ElapsedMs = 0;
    clock.LastTime = now;
}

uint32_t CountDueFrames(FrameClockState& clock, uint32_t now) {
    if (!clock.ClockRunning) return 0;
    clock.ElapsedMs += now - clock.LastTime;
    clock.LastTime = now;
    // Any 30 consecutive intervals make exactly one second, so whole seconds are counted
    // at once: a stall of hours, or a clock that jumped back, stays a constant-time step.
    const uint32_t wholeSeconds = clock.ElapsedMs / MillisecondsPerSecond;
    uint32_t counted = 0;
    if (CurrentInterval(clock) != 0 && wholeSeconds > 0) {
        counted = wholeSeconds * FramesPerSecond;
        clock.ElapsedMs -= wholeSeconds * MillisecondsPerSecond;
        clock.FramesDue = static_cast<uint16_t>(clock.FramesDue + counted);
    }
    // An interval is never zero once the table is built, so every pass consumes time.
    while (CurrentInterval(clock) != 0 && clock.ElapsedMs >= CurrentInterval(clock)) {
        clock.ElapsedMs -= CurrentInterval(clock);
        clock.IntervalIndex = static_cast<uint16_t>((clock.IntervalIndex + 1) % FramesPerSecond);
        ++clock.FramesDue;
        ++counted;
    }
    return counted;
}

YieldDecision DecideYield(const FrameClockState& clock, uint32_t now, bool waitForFrame, bool previewMode,
                          uint32_t framesUnchanged) {
    YieldDecision decision;
    if (!clock.ClockRunning) return decision;
    if (!waitForFrame) {
        decision.Sleeps = previewMode;
        return decision;
    }
    // One timed wait to the frame: spinning on yields through its last millisecond costs a
    // steady share of a core for no better pace. The time is read afresh, because the frame
    // just stepped and painted has taken some since the last count.
    const uint32_t elapsed = clock.ElapsedMs + (now - clock.LastTime);
    const uint32_t frames = std::clamp<uint32_t>(framesUnchanged, 1, MostFramesWaitedThrough);
    uint32_t due = 0;
    for (uint32_t k = 0; k < frames; ++k) due += IntervalAhead(clock, k);
    decision.Sleeps = true;
    decision.WakesOnMessage = true;
    if (elapsed < due) decision.SleepMs = due - elapsed;
    return decision;
}
