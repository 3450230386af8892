#include "display/frame_clock.h"

#include <windows.h>
#include <mmsystem.h>

#include "common/process_state.h"
#include "display/dim_in_plan.h"
#include "display/display_surfaces.h"
#include "display/scale_brightness.h"
#include "settings/saver_settings.h"
#include "slideshow/scene.h"

FrameClockState FrameClock;
int32_t DimLevel = FullBrightnessLevel;

void ResetFrameClock() { ResetClockState(FrameClock, timeGetTime()); }

void StopFrameClock() { StopClockState(FrameClock, timeGetTime()); }

void StepScene() {
    if (!DisplayScene) return;
    const SceneStepPlan plan = PlanAndConsumeSceneStep(DimLevel, FrameClock.FramesDue, SaverSettings.Brightness);
    if (plan.DimTick) {
        ScaleBrightness(DimmedBits, CaptureBits, RenderWidth, RenderHeight, plan.DimLevel);
    } else {
        // The first tick after the dim-in lets painting switch over to the scene.
        if (CaptureBitmap) ReleaseCaptureSections();
        DisplayScene->Advance(plan.AdvanceFrames);
    }
    DisplayScene->Idle();
}

void PumpFrames() {
    if (!DisplayScene || !FrameClock.ClockRunning) return;
    if (CountDueFrames(FrameClock, timeGetTime()) == 0) return;
    StepScene();
    // Without a window there is nothing to repaint, and a null handle would repaint all.
    if (!SaverWindow) return;
    InvalidateRect(SaverWindow, nullptr, FALSE);
    UpdateWindow(SaverWindow);
}

void YieldTime(int waitForFrame) {
    if (!DisplayScene) return;
    const YieldDecision decision = DecideYield(FrameClock, waitForFrame != 0, PreviewMode != 0);
    if (decision.Sleeps) Sleep(decision.SleepMs);
}
