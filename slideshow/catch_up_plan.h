#pragma once
// What one Advance call does to the show's counters, worked out a whole hold or transition at
// a time rather than frame by frame, so that a call carrying a long stall can build only what
// is on screen at its end. Platform-free.
#include <cstdint>

struct ShowCounters {
    int32_t HoldFrames = 0;
    int32_t StepCounter = 0;
};

// The show's rules for one call: after each choice the hold starts from HoldAfterChoice; a
// step above LastStep means the transition is over and the next frame chooses. A fade renders
// only on the call's last frame, and its other transition frames pass without a step.
struct ShowRules {
    int32_t HoldAfterChoice = 0;
    int32_t LastStep = 0;
    bool FadeEffect = false;
};

struct CatchUpPlan {
    ShowCounters End;
    // Pictures chosen during the call, each with its one draw.
    uint32_t Choices = 0;
    // The steps rendered after the call's last choice (or in the whole call without one),
    // [FirstStep, EndStep); none when the two are equal.
    int32_t FirstStep = 0;
    int32_t EndStep = 0;
};

CatchUpPlan PlanCatchUp(ShowCounters start, uint32_t frames, const ShowRules& rules);
