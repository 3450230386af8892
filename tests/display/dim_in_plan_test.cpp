#include "display/dim_in_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DimInPlan, ShowsEveryLevelFromFullDownToTheTargetOnePerTick) {
    struct Case {
        uint32_t brightness;
        int32_t ticks;
    };
    for (const Case& c : {Case{0, 33}, Case{4, 17}, Case{8, 1}, Case{1, 29}}) {
        int32_t dimLevel = FullBrightnessLevel;
        std::vector<int32_t> shown;
        for (int tick = 0; tick < 40; ++tick) {
            uint16_t framesDue = 2;
            const SceneStepPlan plan = PlanAndConsumeSceneStep(dimLevel, framesDue, c.brightness);
            EXPECT_EQ(framesDue, 0) << "due frames are consumed on every tick";
            if (!plan.DimTick) {
                EXPECT_EQ(plan.AdvanceFrames, 2u);
                continue;
            }
            EXPECT_EQ(plan.AdvanceFrames, 0u);
            EXPECT_EQ(static_cast<int>(shown.size()), tick) << "dim ticks come first, without a gap";
            shown.push_back(plan.DimLevel);
        }
        ASSERT_EQ(static_cast<int32_t>(shown.size()), c.ticks) << "brightness " << c.brightness;
        for (int32_t i = 0; i < c.ticks; ++i) EXPECT_EQ(shown[i], FullBrightnessLevel - i);
        EXPECT_EQ(shown.back(), DimTargetLevel(c.brightness));
        EXPECT_EQ(dimLevel, DimTargetLevel(c.brightness) - 1);
    }
}

TEST(DimInPlan, FramesDueDuringTheDimInAreDroppedNotReplayed) {
    int32_t dimLevel = FullBrightnessLevel;
    const uint16_t dueOnTick[] = {1, 5, 60, 2};  // brightness 7: target 28, ticks at 32..28
    uint32_t advanced = 0;
    for (int tick = 0; tick < 5; ++tick) {
        uint16_t framesDue = dueOnTick[tick % 4];
        const SceneStepPlan plan = PlanAndConsumeSceneStep(dimLevel, framesDue, 7);
        EXPECT_TRUE(plan.DimTick) << tick;
        advanced += plan.AdvanceFrames;
    }
    EXPECT_EQ(advanced, 0u);
    uint16_t framesDue = 3;
    const SceneStepPlan first = PlanAndConsumeSceneStep(dimLevel, framesDue, 7);
    EXPECT_FALSE(first.DimTick);
    EXPECT_EQ(first.AdvanceFrames, 3u) << "only the frames of the tick after the dim-in";
}

TEST(DimInPlan, LevelIsNeverResetSoALaterTickAdvancesAtOnce) {
    int32_t dimLevel = -1;  // a dim-in that already ran to black in this process
    uint16_t framesDue = 60;
    const SceneStepPlan plan = PlanAndConsumeSceneStep(dimLevel, framesDue, 0);
    EXPECT_FALSE(plan.DimTick);
    EXPECT_EQ(plan.AdvanceFrames, 60u);
    EXPECT_EQ(dimLevel, -1);
}

}  // namespace
