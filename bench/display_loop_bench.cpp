// Runs the real display and slideshow loop over the whole screen for a given time, as the
// saver's own loop does, and prints what a user sees of its pace and what it costs: the
// frame rate after the dim-in, the spread of the intervals between frames that show a change
// (a hold, which shows none, is waited through several frames at a time), the processor time
// and the repainted pixels per second of holding a picture and of transition, and the private
// memory the run holds.
//
// With OFF_SECONDS, the run then goes on that long after the system's notice that the display
// is off, and prints the processor time that costs.
//
// Usage: display_loop_bench.exe SECONDS EFFECT [HOLD_FRAMES [OFF_SECONDS]]
// (EFFECT 0 Fade, 1 Shade, 2 Block)
// The screen size is the Wine desktop's; the harness sets it per run.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/pixel_layout.h"
#include "common/process_state.h"
#include "common/unique_handle.h"
#include "display/display_surfaces.h"
#include "display/frame_clock.h"
#include "host/close_policy.h"
#include "images/picture_scale.h"
#include "images/screen_dpi.h"
#include "settings/saver_settings.h"
#include "settings/settings_store.h"
#include "slideshow/slideshow_scene.h"
#include "tests/stress/private_bytes.h"

namespace {

constexpr const char* BenchClassName = "DisplayLoopBench";
constexpr UINT TimerResolutionMs = 1;
constexpr int32_t LastTransitionStep = 35;
constexpr const char* EffectNames[] = {"Fade", "Shade", "Block"};
constexpr double HundredNanosecondsPerSecond = 1e7;

enum Phase { Hold, Transition, PhaseCount };

// One tick after the dim-in: the scene stepped by the frames that fell due and what changed
// was repainted.
struct TickSample {
    double wallSeconds;
    double cpuSeconds;
    double paintedPixels;
    Phase phase;
    uint32_t frames;
};

LARGE_INTEGER CounterFrequency;
std::vector<TickSample> Samples;
// Wall time of each loop turn that stepped a frame, in milliseconds.
std::vector<double> FrameTurnMs;
// Pixels of every update region painted after the dim-in, so far.
double PaintedPixels = 0;
size_t PrivateBytesAtEnd = 0;
// Processor and wall seconds at the notice that the display is off and at the end of the run.
double CpuAtDisplayOff = 0, WallAtDisplayOff = 0, CpuAtEnd = 0, WallAtEnd = 0;
// The most private memory seen halfway through a transition, where a fade holds the most.
size_t PrivateBytesMidTransition = 0;
constexpr int32_t MidTransitionStep = 17;
constexpr UINT_PTR OffEndTimer = 1;

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
    if (!scene) return Hold;
    const SlideshowPosition position = scene->Position();
    const bool stepping = position.StepCounter > 0 && position.StepCounter <= LastTransitionStep + 1;
    return stepping && position.HoldFrames == 0 ? Transition : Hold;
}

double RegionPixels(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0) return 0;
    std::vector<char> storage(size);
    auto* data = reinterpret_cast<RGNDATA*>(storage.data());
    if (!GetRegionData(region, size, data)) return 0;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    double pixels = 0;
    for (DWORD k = 0; k < data->rdh.nCount; ++k) {
        pixels += static_cast<double>(rects[k].right - rects[k].left) * (rects[k].bottom - rects[k].top);
    }
    return pixels;
}

// Counts what each paint after the dim-in is asked to repaint.
LRESULT CALLBACK BenchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && !CaptureBitmap && DisplayScene) {
        UniqueRegion update(CreateRectRgn(0, 0, 0, 0));
        if (update && GetUpdateRgn(window, update.get(), FALSE) != ERROR) PaintedPixels += RegionPixels(update.get());
    }
    return SaverClassProc(window, message, wParam, lParam);
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void Report(int effect, uint32_t holdFrames, double seconds, double offSeconds) {
    // A scaled desktop is named by its scale beside the size: its pictures are larger.
    const int dpi = PrimaryMonitorDpi();
    char scale[16] = "";
    if (dpi != UnscaledDpi) std::snprintf(scale, sizeof(scale), "@%d%%", dpi * 100 / UnscaledDpi);
    std::printf("display loop %ldx%ld%s, effect %s, %.0f s run, hold %u frames\n", static_cast<long>(RenderWidth),
                static_cast<long>(RenderHeight), scale, EffectNames[effect], seconds, holdFrames);
    if (Samples.size() < 2) {
        std::printf("  fewer than two frames were stepped after the dim-in\n");
        return;
    }
    const double span = Samples.back().wallSeconds - Samples.front().wallSeconds;
    size_t clockFrames = 0;
    for (size_t k = 1; k < Samples.size(); ++k) clockFrames += Samples[k].frames;
    std::printf("  frames after the dim-in: %zu in %.2f s = %.2f frames/s (the clock's pace is 30)\n", clockFrames,
                span, static_cast<double>(clockFrames) / span);

    std::vector<double> intervals;
    double cpu[PhaseCount] = {};
    double wall[PhaseCount] = {};
    double pixels[PhaseCount] = {};
    size_t frames[PhaseCount] = {};
    for (size_t k = 1; k < Samples.size(); ++k) {
        const double interval = Samples[k].wallSeconds - Samples[k - 1].wallSeconds;
        // Only from one shown change to the next: a tick that repainted nothing shows nothing.
        const bool bothRepainted = k >= 2 && Samples[k].paintedPixels > Samples[k - 1].paintedPixels &&
                                   Samples[k - 1].paintedPixels > Samples[k - 2].paintedPixels;
        if (bothRepainted) intervals.push_back(interval * 1000);
        cpu[Samples[k].phase] += Samples[k].cpuSeconds - Samples[k - 1].cpuSeconds;
        pixels[Samples[k].phase] += Samples[k].paintedPixels - Samples[k - 1].paintedPixels;
        wall[Samples[k].phase] += interval;
        frames[Samples[k].phase] += Samples[k].frames;
    }
    std::printf("  tick-to-tick ms: min %.2f  median %.2f  p95 %.2f  max %.2f  (between ticks that both repainted)\n",
                Percentile(intervals, 0),
                Percentile(intervals, 0.5), Percentile(intervals, 0.95), Percentile(intervals, 1));
    std::printf("  frame turn (step and repaint) ms: median %.2f  p95 %.2f  max %.2f\n",
                Percentile(FrameTurnMs, 0.5), Percentile(FrameTurnMs, 0.95), Percentile(FrameTurnMs, 1));
    const char* phaseNames[PhaseCount] = {"hold", "transition"};
    for (int phase = 0; phase < PhaseCount; ++phase) {
        if (wall[phase] <= 0) continue;
        std::printf("  cpu during %-10s: %.3f s per s  (%zu frames, %.1f s)\n", phaseNames[phase],
                    cpu[phase] / wall[phase], frames[phase], wall[phase]);
        std::printf("  repainted pixels per s during %s: %.0f  (the whole screen at 30 frames/s: %.0f)\n",
                    phaseNames[phase], pixels[phase] / wall[phase],
                    static_cast<double>(RenderWidth) * RenderHeight * FramesPerSecond);
    }
    // One 24-bit frame of the render size, the unit the display's buffers come in.
    const double frameBytes = static_cast<double>(PixelBufferBytes(RenderWidth, RenderHeight));
    std::printf("  private memory at the end of the run: %zu B, halfway through a transition at most: %zu B"
                "  (one 24-bit frame: %.0f B)\n",
                PrivateBytesAtEnd, PrivateBytesMidTransition,
                frameBytes);
    if (offSeconds > 0 && WallAtEnd > WallAtDisplayOff)
        std::printf("  cpu while the display is off: %.3f s per s  (%.1f s)\n",
                    (CpuAtEnd - CpuAtDisplayOff) / (WallAtEnd - WallAtDisplayOff), WallAtEnd - WallAtDisplayOff);
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

// The notice Windows sends when the display goes off (0) or comes back (1).
void SendDisplayState(DWORD state) {
    POWERBROADCAST_SETTING notice = {};
    // The console display's state, as Windows 8 and later report it.
    notice.PowerSetting = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    notice.DataLength = sizeof state;
    std::memcpy(notice.Data, &state, sizeof state);
    SendMessageA(SaverWindow, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&notice));
}

// The saver's own loop: a frame turn before every message, a sleep when the queue is empty.
void RunLoop(double seconds, bool closeAtEnd) {
    const double end = WallSeconds() + seconds;
    bool closing = false;
    bool queueEmpty = false;
    for (;;) {
        // A tick moves the clock's index on (a stall of exactly a second would hide one).
        const uint16_t index = FrameClock.IntervalIndex;
        const double turnStart = WallSeconds();
        PumpFrames();
        if (index != FrameClock.IntervalIndex && !CaptureBitmap && DisplayScene) {
            const double now = WallSeconds();
            FrameTurnMs.push_back((now - turnStart) * 1000);
            const uint32_t frames = (FrameClock.IntervalIndex + FramesPerSecond - index) % FramesPerSecond;
            Samples.push_back({now, ProcessCpuSeconds(), PaintedPixels, CurrentPhase(), frames});
            const auto* scene = dynamic_cast<const SlideshowScene*>(DisplayScene.get());
            if (scene && scene->Position().StepCounter == MidTransitionStep)
                PrivateBytesMidTransition = std::max(PrivateBytesMidTransition, PrivateBytes());
        }
        if (!closing && WallSeconds() >= end) {
            CpuAtEnd = ProcessCpuSeconds();
            WallAtEnd = WallSeconds();
            PrivateBytesAtEnd = PrivateBytes();
            if (!closeAtEnd) return;
            PostMessageA(SaverWindow, WM_CLOSE, 0, 0);
            closing = true;
        }
        MSG message;
        if (!queueEmpty && PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&message, nullptr, 0, 0)) return;
            TranslateMessage(&message);
            DispatchMessageA(&message);
            queueEmpty = YieldTime(0);
        } else {
            queueEmpty = YieldTime(1);
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
    const double offSeconds = argc > 4 ? std::atof(argv[4]) : 0;
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
            if (offSeconds > 0) {
                // The measured run ends where the display goes off, and the rest is timed apart.
                RunLoop(seconds, false);
                SendDisplayState(0);
                CpuAtDisplayOff = ProcessCpuSeconds();
                WallAtDisplayOff = WallSeconds();
                // While the display is off only a message wakes the loop: this one ends the run.
                SetTimer(SaverWindow, OffEndTimer, static_cast<UINT>(offSeconds * 1000), nullptr);
                RunLoop(offSeconds, true);
            } else {
                RunLoop(seconds, true);
            }
        }
    }
    SaverWindow = nullptr;
    StopDisplay(nullptr);
    timeEndPeriod(TimerResolutionMs);
    SaverSettings = saved;
    SaveSettings();
    Report(effect, holdFrames, seconds, offSeconds);
    return 0;
}
