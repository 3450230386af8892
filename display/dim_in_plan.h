#pragma once
// The decision of one clock tick: darken the shown capture by one more level, or, once
// the dim-in has reached its target, hand the due frames to the scene.
#include <cstdint>

#include "settings/saver_settings.h"

constexpr int32_t FullBrightnessLevel = 32;

struct SceneStepPlan {
    bool DimTick = false;        // scale the capture at DimLevel instead of advancing
    int32_t DimLevel = 0;        // the level shown on a dim tick
    uint32_t AdvanceFrames = 0;  // frames for the scene's Advance when not a dim tick
};

// Brightness in eighths becomes a level in 32nds (0..32 for the stored range 0..8).
int32_t DimTargetLevel(uint32_t brightness);

// Plans one tick and applies its bookkeeping: a dim tick lowers dimLevel by one; every
// tick consumes the due frames, so frames that fall due during the dim-in are dropped.
SceneStepPlan PlanAndConsumeSceneStep(int32_t& dimLevel, uint16_t& framesDue, uint32_t brightness);
