#include "display/frame_clock.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>

#include "common/process_state.h"
#include "display/dim_in_plan.h"
#include "display/display_state.h"
#include "display/invalidation.h"
#include "display/scale_brightness.h"
#include "settings/saver_settings.h"
#include "slideshow/scene.h"

// The build targets Windows 7, whose headers leave out the bits it does not know.
static_assert(LoopWakeMask == QS_ALLINPUT, "the loop wakes on every kind of message Windows 7 knows");

FrameClockState FrameClock;
int32_t DimLevel = FullBrightnessLevel;

void ResetFrameClock() { ResetClockState(FrameClock, timeGetTime()); }

void StopFrameClock() { StopClockState(FrameClock, timeGetTime()); }

namespace {

bool DisplayOff = false;

}  // namespace

void PauseForDisplayOff(bool off) {
    if (DisplayOff && !off) {
        FrameClock.LastTime = timeGetTime();
        FrameClock.ElapsedMs = 0;
    }
    DisplayOff = off;
}

bool DisplayIsOff() { return DisplayOff; }

void EndDimIn() { DimLevel = std::min(DimLevel, DimTargetLevel(SaverSettings.Brightness) - 1); }

bool StepScene() {
    if (!DisplayScene) return false;
    const SceneStepPlan plan = PlanAndConsumeSceneStep(DimLevel, FrameClock.FramesDue, SaverSettings.Brightness);
    bool wholeWindow = true;
    if (plan.DimTick) {
        ScaleBrightness(DimmedBits, CaptureBits, RenderWidth, RenderHeight, plan.DimLevel);
    } else {
        // The first tick after the dim-in lets painting switch over to the scene.
        wholeWindow = static_cast<bool>(CaptureBitmap);
        if (CaptureBitmap) ReleaseCaptureSections();
        DisplayScene->Advance(plan.AdvanceFrames);
    }
    DisplayScene->Idle();
    return wholeWindow;
}

void PumpFrames() {
    if (!DisplayScene || !FrameClock.ClockRunning || DisplayIsOff()) return;
    if (CountDueFrames(FrameClock, timeGetTime()) == 0) return;
    const bool wholeWindow = StepScene();
    // Without a window there is nothing to repaint, and a null handle would repaint all.
    if (!SaverWindow || !DisplayScene) return;
    RepaintSceneChanges(SaverWindow, wholeWindow);
}

namespace {

// Sleeps up to ms until a message comes, as MsgWaitForMultipleObjectsEx answers.
DWORD WaitForMessage(DWORD ms) {
    static bool fullMaskRefused = false;
    if (!fullMaskRefused) {
        const DWORD woken = MsgWaitForMultipleObjectsEx(0, nullptr, ms, FullWakeMask, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_FAILED) return woken;
        // Windows 7 refuses the touch and pen bits.
        fullMaskRefused = true;
    }
    const DWORD woken = MsgWaitForMultipleObjectsEx(0, nullptr, ms, LoopWakeMask, MWMO_INPUTAVAILABLE);
    // A wait the platform refuses still paces the loop, deaf to messages for a frame at most.
    if (woken == WAIT_FAILED) Sleep(std::min<DWORD>(ms, LongestFrameMs));
    return woken;
}

}  // namespace

bool YieldTime(int waitForFrame) {
    if (!DisplayScene) return false;
    if (DisplayIsOff()) {
        // Nothing falls due while nobody can see the screen.
        if (waitForFrame) WaitForMessage(INFINITE);
        return false;
    }
    // Frames that change nothing are waited through; the dim-in changes every one.
    const uint32_t unchanged = CaptureBitmap ? 0 : DisplayScene->FramesUnchanged();
    const YieldDecision decision =
        DecideYield(FrameClock, timeGetTime(), waitForFrame != 0, PreviewMode != 0, unchanged);
    if (!decision.Sleeps) return false;
    if (!decision.WakesOnMessage) {
        Sleep(decision.SleepMs);
        return false;
    }
    if (decision.SleepMs == 0) return false;
    return WaitForMessage(decision.SleepMs) == WAIT_TIMEOUT;
}
