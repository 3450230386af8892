#include "display/frame_clock_core.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Steps a clock one interval at a time: the plain reading of the counting rule, to hold
// the whole-second shortcut against.
uint32_t CountOneByOne(FrameClockState& clock, uint32_t now) {
    clock.ElapsedMs += now - clock.LastTime;
    clock.LastTime = now;
    uint32_t counted = 0;
    while (clock.ElapsedMs >= clock.FrameIntervals[clock.IntervalIndex]) {
        clock.ElapsedMs -= clock.FrameIntervals[clock.IntervalIndex];
        clock.IntervalIndex = static_cast<uint16_t>((clock.IntervalIndex + 1) % FramesPerSecond);
        ++clock.FramesDue;
        ++counted;
    }
    return counted;
}

FrameClockState StartedAt(uint32_t now) {
    FrameClockState clock;
    ResetClockState(clock, now);
    return clock;
}

TEST(FrameClockCore, IntervalsRepeatThirtyThirtyThirtyFourAndMakeOneSecond) {
    FrameClockState clock;
    BuildFrameIntervals(clock);
    uint32_t sum = 0;
    for (uint32_t i = 0; i < FramesPerSecond; ++i) {
        EXPECT_EQ(clock.FrameIntervals[i], i % 3 == 2 ? 34 : 33) << "entry " << i;
        sum += clock.FrameIntervals[i];
    }
    EXPECT_EQ(sum, 1000u);
}

TEST(FrameClockCore, FirstReadingAfterResetCountsWholeIntervals) {
    struct Case {
        uint32_t afterMs;
        uint32_t frames;
        uint32_t elapsed;
        uint16_t index;
    };
    const Case cases[] = {
        {0, 0, 0, 0},     {32, 0, 32, 0},    {33, 1, 0, 1},    {65, 1, 32, 1},    {66, 2, 0, 2},
        {99, 2, 33, 2},   {100, 3, 0, 3},    {101, 3, 1, 3},   {999, 29, 33, 29}, {1000, 30, 0, 0},
        {1033, 31, 0, 1}, {2000, 60, 0, 0},
    };
    for (const Case& c : cases) {
        FrameClockState clock = StartedAt(700);
        EXPECT_EQ(CountDueFrames(clock, 700 + c.afterMs), c.frames) << c.afterMs << " ms";
        EXPECT_EQ(clock.FramesDue, c.frames) << c.afterMs << " ms";
        EXPECT_EQ(clock.ElapsedMs, c.elapsed) << c.afterMs << " ms";
        EXPECT_EQ(clock.IntervalIndex, c.index) << c.afterMs << " ms";
        EXPECT_EQ(clock.LastTime, 700 + c.afterMs);
    }
}

TEST(FrameClockCore, RemainderCarriesOverBetweenReadings) {
    FrameClockState clock = StartedAt(0);
    EXPECT_EQ(CountDueFrames(clock, 20), 0u);
    EXPECT_EQ(CountDueFrames(clock, 40), 1u);
    EXPECT_EQ(clock.ElapsedMs, 7u);
    EXPECT_EQ(CountDueFrames(clock, 70), 1u);
    EXPECT_EQ(clock.ElapsedMs, 4u);
    EXPECT_EQ(CountDueFrames(clock, 99), 0u);  // index 2 needs 34
    EXPECT_EQ(CountDueFrames(clock, 100), 1u);
    EXPECT_EQ(clock.ElapsedMs, 0u);
    EXPECT_EQ(clock.IntervalIndex, 3);
    EXPECT_EQ(clock.FramesDue, 3);
}

TEST(FrameClockCore, TwoSecondsMakeSixtyFramesFromAnyIndexAndLeaveThePhase) {
    for (uint16_t index = 0; index < FramesPerSecond; ++index) {
        for (uint32_t elapsed : {0u, 5u, 32u}) {
            FrameClockState clock = StartedAt(100);
            clock.IntervalIndex = index;
            clock.ElapsedMs = elapsed;
            EXPECT_EQ(CountDueFrames(clock, 2100), 60u) << "index " << index << " elapsed " << elapsed;
            EXPECT_EQ(clock.IntervalIndex, index);
            EXPECT_EQ(clock.ElapsedMs, elapsed);
            EXPECT_EQ(clock.FramesDue, 60);
        }
    }
}

TEST(FrameClockCore, MillisecondCounterWrapGivesTheTrueElapsedTime) {
    FrameClockState clock = StartedAt(0xFFFFFFF0u);
    EXPECT_EQ(CountDueFrames(clock, 0x54u), 3u);  // 16 ms before the wrap, 84 after
    EXPECT_EQ(clock.ElapsedMs, 0u);
    EXPECT_EQ(clock.IntervalIndex, 3);
}

TEST(FrameClockCore, WholeSecondShortcutAgreesWithCountingOneByOne) {
    const uint32_t stalls[] = {1, 34, 999, 1001, 1999, 2001, 12345, 65536 * 34, 3600000};
    for (uint16_t index = 0; index < FramesPerSecond; index += 7) {
        for (uint32_t stall : stalls) {
            FrameClockState fast = StartedAt(50);
            fast.IntervalIndex = index;
            fast.ElapsedMs = 20;
            fast.FramesDue = 65530;
            FrameClockState slow = fast;
            EXPECT_EQ(CountDueFrames(fast, 50 + stall), CountOneByOne(slow, 50 + stall)) << stall;
            EXPECT_EQ(fast.ElapsedMs, slow.ElapsedMs) << stall;
            EXPECT_EQ(fast.IntervalIndex, slow.IntervalIndex) << stall;
            EXPECT_EQ(fast.FramesDue, slow.FramesDue) << "due count wraps at 65536, stall " << stall;
        }
    }
}

TEST(FrameClockCore, ClockThatJumpsBackIsCountedWithoutStalling) {
    FrameClockState clock = StartedAt(1000);
    const uint32_t counted = CountDueFrames(clock, 999);  // 2^32 - 1 ms forward, modulo 2^32
    const uint64_t total = 0xFFFFFFFFull;
    uint64_t consumed = static_cast<uint64_t>(counted / FramesPerSecond) * 1000;
    for (uint32_t i = 0; i < counted % FramesPerSecond; ++i) consumed += clock.FrameIntervals[i];
    EXPECT_EQ(consumed + clock.ElapsedMs, total);
    EXPECT_LT(clock.ElapsedMs, clock.FrameIntervals[clock.IntervalIndex]);
}

TEST(FrameClockCore, StoppedClockCountsNothingAndIsNotRead) {
    FrameClockState clock = StartedAt(0);
    CountDueFrames(clock, 50);
    StopClockState(clock, 400);
    EXPECT_FALSE(clock.ClockRunning);
    EXPECT_EQ(clock.ElapsedMs, 0u);
    EXPECT_EQ(clock.LastTime, 400u);
    EXPECT_EQ(clock.IntervalIndex, 1);  // left alone
    EXPECT_EQ(clock.FramesDue, 1);
    EXPECT_EQ(CountDueFrames(clock, 9000), 0u);
    EXPECT_EQ(clock.LastTime, 400u);
    EXPECT_EQ(clock.FramesDue, 1);

    FrameClockState neverStarted;
    EXPECT_EQ(CountDueFrames(neverStarted, 123456), 0u);
    EXPECT_EQ(neverStarted.ElapsedMs, 0u);
}

TEST(FrameClockCore, YieldWaitsForTheNextFrameAsOfAFreshReading) {
    struct Case {
        const char* name;
        bool running;
        uint32_t elapsed;
        uint32_t sinceCount;
        uint16_t index;
        bool waitForFrame;
        bool preview;
        uint32_t unchanged;
        bool sleeps;
        uint32_t sleepMs;
        bool wakesOnMessage;
    };
    const Case cases[] = {
        {"10 ms into a 33 ms frame", true, 10, 0, 0, true, false, 0, true, 23, true},
        {"a 5 ms paint since the count", true, 10, 5, 0, true, false, 0, true, 18, true},
        {"due during the paint", true, 30, 6, 0, true, false, 0, true, 0, true},
        {"32 ms into a 33 ms frame", true, 32, 0, 0, true, false, 0, true, 1, true},
        {"34 ms interval", true, 0, 0, 2, true, false, 0, true, 34, true},
        {"after a message, full screen", true, 10, 0, 0, false, false, 0, false, 0, false},
        {"after a message, preview", true, 10, 0, 0, false, true, 0, true, 0, false},
        {"preview, empty queue", true, 10, 0, 0, true, true, 0, true, 23, true},
        {"stopped, empty queue", false, 10, 0, 0, true, false, 0, false, 0, false},
        {"stopped, preview message", false, 10, 0, 0, false, true, 0, false, 0, false},
        // Held frames are waited through together, as far as the last; the intervals from
        // index 29 are 34, 33, 33.
        {"three held frames", true, 10, 0, 29, true, false, 3, true, 90, true},
        {"held frames past the most one wait passes", true, 0, 0, 0, true, false, 900, true, 500, true},
        {"held frames, but a message came", true, 10, 0, 0, false, false, 3, false, 0, false},
    };
    for (const Case& c : cases) {
        // The counter wraps between the count and the reading: the difference still holds.
        constexpr uint32_t countedAt = 0xFFFFFFFEu;
        FrameClockState clock = StartedAt(countedAt);
        clock.ClockRunning = c.running;
        clock.ElapsedMs = c.elapsed;
        clock.IntervalIndex = c.index;
        const YieldDecision decision = DecideYield(clock, countedAt + c.sinceCount, c.waitForFrame, c.preview, c.unchanged);
        EXPECT_EQ(decision.Sleeps, c.sleeps) << c.name;
        EXPECT_EQ(decision.SleepMs, c.sleepMs) << c.name;
        EXPECT_EQ(decision.WakesOnMessage, c.wakesOnMessage) << c.name;
    }
}

// Windows 7 refuses a wait whose mask holds a bit it does not know (touch 0x800 and pointer
// 0x1000 came with Windows 8), and the loop would then never sleep. Its bits, as documented
// for it: key, mouse move, mouse button, posted, timer, paint, sent, hot key, all posted,
// raw input.
TEST(FrameClockCore, LoopWakesOnlyOnWhatWindows7KnowsAndOnAllOfItsInput) {
    constexpr uint32_t windows7Bits = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x0010 | 0x0020 | 0x0040 | 0x0080 |
                                      0x0100 | 0x0400;
    EXPECT_EQ(LoopWakeMask & ~windows7Bits, 0u);
    constexpr uint32_t inputAndMessages = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x0040;
    EXPECT_EQ(LoopWakeMask & inputAndMessages, inputAndMessages);
}

}  // namespace
