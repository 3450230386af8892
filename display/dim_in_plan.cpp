#include "display/dim_in_plan.h"

int32_t DimTargetLevel(uint32_t brightness) {
    return static_cast<int32_t>(brightness * static_cast<uint32_t>(FullBrightnessLevel) / MaxBrightness);
}

SceneStepPlan PlanAndConsumeSceneStep(int32_t& dimLevel, uint16_t& framesDue, uint32_t brightness) {
    SceneStepPlan plan;
    if (dimLevel >= DimTargetLevel(brightness)) {
        plan.DimTick = true;
        plan.DimLevel = dimLevel;
        --dimLevel;
    } else {
        plan.AdvanceFrames = framesDue;
    }
    framesDue = 0;
    return plan;
}
