#include "slideshow/catch_up_plan.h"

#include <algorithm>

CatchUpPlan PlanCatchUp(ShowCounters start, uint32_t frames, const ShowRules& rules) {
    CatchUpPlan plan;
    ShowCounters& now = plan.End;
    now = start;
    uint32_t remaining = frames;
    while (remaining > 0) {
        if (now.HoldFrames > 0) {
            const uint32_t held = std::min(static_cast<uint32_t>(now.HoldFrames), remaining);
            now.HoldFrames -= static_cast<int32_t>(held);
            remaining -= held;
        } else if (now.StepCounter > rules.LastStep) {
            ++plan.Choices;
            now.HoldFrames = rules.HoldAfterChoice;
            now.StepCounter = 0;
            plan.FirstStep = plan.EndStep = 0;
            --remaining;
        } else if (rules.FadeEffect && remaining > 1) {
            // These frames pass without a step; only the call's last one renders.
            remaining = 1;
        } else {
            const uint32_t left = static_cast<uint32_t>(rules.LastStep + 1 - now.StepCounter);
            const uint32_t stepped = std::min(left, rules.FadeEffect ? 1u : remaining);
            if (plan.FirstStep == plan.EndStep) plan.FirstStep = now.StepCounter;
            now.StepCounter += static_cast<int32_t>(stepped);
            plan.EndStep = now.StepCounter;
            remaining -= stepped;
        }
    }
    return plan;
}
