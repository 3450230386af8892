// Runs the real display and slideshow loop over the whole screen for a given time, as the
// saver's own loop does, and prints what a user sees of its pace: the frame rate after the
// dim-in, the spread of the paint-to-paint intervals, and the processor time the process
// spends per second of holding a picture and per second of transition.
//
// Usage: display_loop_bench.exe SECONDS EFFECT [HOLD_FRAMES]   (EFFECT 0 Fade, 1 Shade, 2 Block)
// The screen size is the Wine desktop's; the harness sets it per run.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/process_state.h"
#include "display/display_surfaces.h"
#include "display/frame_clock.h"
#include "host/close_policy.h"
#include "settings/saver_settings.h"
#include "settings/settings_store.h"
#include "slideshow/slideshow_scene.h"

namespace {

constexpr const char* BenchClassName = "DisplayLoopBench";
constexpr UINT TimerResolutionMs = 1;
constexpr int32_t LastTransitionStep = 35;
constexpr const char* EffectNames[] = {"Fade", "Shade", "Block"};
constexpr double HundredNanosecondsPerSecond = 1e7;

enum Phase { Hold, Transition, PhaseCount };

struct PaintSample {
    double wallSeconds;
    double cpuSeconds;
    Phase phase;
};

LARGE_INTEGER CounterFrequency;
std::vector<PaintSample> Samples;
// Wall time of each loop turn that stepped and painted a frame, in milliseconds.
std::vector<double> FrameTurnMs;

double WallSeconds() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(CounterFrequency.QuadPart);
}

double ProcessCpuSeconds() {
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user)) return 0;
    const auto ticks = [](const FILETIME& time) {
        return static_cast<double>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / HundredNanosecondsPerSecond;
}

// The phase whose work the paint just shown finished: a transition step or a held frame.
Phase CurrentPhase() {
    const auto* scene = dynamic_cast<const SlideshowScene*>(DisplayScene.get());
    if (scene && scene->StepCounter() > 0 && scene->StepCounter() <= LastTransitionStep + 1 &&
        scene->HoldFrames() == 0) {
        return Transition;
    }
    return Hold;
}

// Every paint after the dim-in is a frame the user sees.
LRESULT CALLBACK BenchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && !CaptureBitmap && DisplayScene) {
        Samples.push_back({WallSeconds(), ProcessCpuSeconds(), CurrentPhase()});
    }
    return SaverClassProc(window, message, wParam, lParam);
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void Report(int effect, uint32_t holdFrames, double seconds) {
    std::printf("display loop %ldx%ld, effect %s, %.0f s run, hold %u frames\n", static_cast<long>(RenderWidth),
                static_cast<long>(RenderHeight), EffectNames[effect], seconds, holdFrames);
    if (Samples.size() < 2) {
        std::printf("  fewer than two frames were painted after the dim-in\n");
        return;
    }
    const double span = Samples.back().wallSeconds - Samples.front().wallSeconds;
    std::printf("  frames after the dim-in: %zu in %.2f s = %.2f frames/s (the clock's pace is 30)\n",
                Samples.size() - 1, span, static_cast<double>(Samples.size() - 1) / span);

    std::vector<double> intervals;
    double cpu[PhaseCount] = {};
    double wall[PhaseCount] = {};
    size_t frames[PhaseCount] = {};
    for (size_t k = 1; k < Samples.size(); ++k) {
        const double interval = Samples[k].wallSeconds - Samples[k - 1].wallSeconds;
        intervals.push_back(interval * 1000);
        cpu[Samples[k].phase] += Samples[k].cpuSeconds - Samples[k - 1].cpuSeconds;
        wall[Samples[k].phase] += interval;
        ++frames[Samples[k].phase];
    }
    std::printf("  paint-to-paint ms: min %.2f  median %.2f  p95 %.2f  max %.2f\n", Percentile(intervals, 0),
                Percentile(intervals, 0.5), Percentile(intervals, 0.95), Percentile(intervals, 1));
    std::printf("  frame turn (step and paint) ms: median %.2f  p95 %.2f  max %.2f\n", Percentile(FrameTurnMs, 0.5),
                Percentile(FrameTurnMs, 0.95), Percentile(FrameTurnMs, 1));
    const char* phaseNames[PhaseCount] = {"hold", "transition"};
    for (int phase = 0; phase < PhaseCount; ++phase) {
        if (wall[phase] <= 0) continue;
        std::printf("  cpu during %-10s: %.3f s per s  (%zu frames, %.1f s)\n", phaseNames[phase],
                    cpu[phase] / wall[phase], frames[phase], wall[phase]);
    }
}

HWND CreateBenchWindow() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_PARENTDC;
    windowClass.lpfnWndProc = BenchProc;
    windowClass.hInstance = ModuleInstance;
    windowClass.lpszClassName = BenchClassName;
    if (!RegisterClassA(&windowClass)) return nullptr;
    return CreateWindowExA(WS_EX_TOPMOST, BenchClassName, "Screen Saver", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, ModuleInstance, nullptr);
}

// The saver's own loop: a frame turn before every message, a sleep when the queue is empty.
void RunLoop(double seconds) {
    const double end = WallSeconds() + seconds;
    bool closing = false;
    for (;;) {
        const size_t painted = Samples.size();
        const double turnStart = WallSeconds();
        PumpFrames();
        if (Samples.size() != painted) FrameTurnMs.push_back((WallSeconds() - turnStart) * 1000);
        if (!closing && WallSeconds() >= end) {
            PostMessageA(SaverWindow, WM_CLOSE, 0, 0);
            closing = true;
        }
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&message, nullptr, 0, 0)) return;
            TranslateMessage(&message);
            DispatchMessageA(&message);
            YieldTime(0);
        } else {
            YieldTime(1);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: display_loop_bench SECONDS EFFECT [HOLD_FRAMES]\n");
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    const int effect = std::clamp(std::atoi(argv[2]), 0, 2);
    const uint32_t holdFrames = argc > 3 ? static_cast<uint32_t>(std::atoi(argv[3])) : 60;
    QueryPerformanceFrequency(&CounterFrequency);
    ModuleInstance = GetModuleHandleA(nullptr);
    // A windowed run: input never ends the measurement, and a close ends it at once.
    WindowedMode = 1;
    HostWindow = GetDesktopWindow();

    // The effect is chosen when the scene opens, from the stored settings; the user's own
    // values are put back afterwards.
    LoadSettings();
    const SaverSettingsRecord saved = SaverSettings;
    SaverSettings.FadeType = static_cast<uint32_t>(effect);
    SaverSettings.Wait = holdFrames;
    SaveSettings();

    timeBeginPeriod(TimerResolutionMs);
    if (StartDisplay(HostWindow)) {
        SaverWindow = CreateBenchWindow();
        if (SaverWindow) {
            ShowWindow(SaverWindow, SW_SHOW);
            RunLoop(seconds);
        }
    }
    SaverWindow = nullptr;
    StopDisplay(nullptr);
    timeEndPeriod(TimerResolutionMs);
    SaverSettings = saved;
    SaveSettings();
    Report(effect, holdFrames, seconds);
    return 0;
}
