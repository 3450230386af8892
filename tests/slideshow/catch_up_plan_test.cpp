#include "slideshow/catch_up_plan.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t LastStep = 35;

// A call's counters and choices, worked out a phase at a time, against the cycle counted by
// hand: a choice, the hold, then 36 steps (a fade steps on the call's last frame only).
TEST(CatchUpPlan, CountsTheCycleAPhaseAtATime) {
    const struct {
        ShowCounters start;
        uint32_t frames;
        int32_t hold;
        bool fade;
        CatchUpPlan expected;
    } cases[] = {
        {{5, 0}, 3, 300, false, {{2, 0}, 0, 0, 0}},
        {{0, 0}, 10, 0, false, {{0, 10}, 0, 0, 10}},
        {{0, 30}, 10, 0, false, {{0, 3}, 1, 0, 3}},
        {{0, 36}, 1, 7, false, {{7, 0}, 1, 0, 0}},
        // A choice, then 1771 cycles of 37 frames and 7 steps into the next transition.
        {{0, 36}, 65535, 0, false, {{0, 7}, 1772, 0, 7}},
        // 194 cycles of 337 frames, then a choice and 156 frames of its hold.
        {{0, 36}, 65535, 300, false, {{144, 0}, 195, 0, 0}},
        {{0, 3}, 65535, 0, true, {{0, 4}, 0, 3, 4}},
        {{0, 36}, 65535, 10, true, {{0, 1}, 1, 0, 1}},
        {{4, 36}, 0, 10, true, {{4, 36}, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hold " << c.start.HoldFrames << " step " << c.start.StepCounter << ", "
                                        << c.frames << " frames");
        const CatchUpPlan plan = PlanCatchUp(c.start, c.frames, {c.hold, LastStep, c.fade});
        EXPECT_EQ(plan.End.HoldFrames, c.expected.End.HoldFrames);
        EXPECT_EQ(plan.End.StepCounter, c.expected.End.StepCounter);
        EXPECT_EQ(plan.Choices, c.expected.Choices);
        EXPECT_EQ(plan.FirstStep, c.expected.FirstStep);
        EXPECT_EQ(plan.EndStep, c.expected.EndStep);
    }
}

}  // namespace
