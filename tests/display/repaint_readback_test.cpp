// The display repaints only what a tick changed, and what the window shows is still exactly
// the composed frame at every tick: read back from the window for each effect, through the
// holds, after another window covered part of it and went away, and in the preview.
//
// The first composition happens once per process, so each case runs in a fresh process:
// this executable, started again with the case named in its environment.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/pixel_layout.h"
#include "common/process_state.h"
#include "display/display_surfaces.h"
#include "display/frame_clock.h"
#include "display/scale_brightness.h"
#include "slideshow/slideshow_scene.h"
#include "tests/display/display_test_support.h"
#include "tests/host/saver_process.h"
#include "tests/settings/stored_settings.h"
#include "tests/slideshow/transition_surface_probe.h"

namespace {

constexpr char CaseVariable[] = "SLIDE_READBACK_CASE";
constexpr DWORD HoldFrames = 8;
// The dim-in, two transitions with their holds, and a few frames more.
constexpr int Ticks = 120;
// While the cover lies over the window, its part of the window is not compared.
constexpr int CoverFromTick = 30;
constexpr int CoverUntilTick = 45;
constexpr int PreviewWidth = 200;
constexpr int PreviewHeight = 150;
constexpr COLORREF Marker = RGB(1, 254, 3);

struct ReadBackCase {
    const char* name;
    DWORD effect;
    bool preview;
    bool covered;
};

const ReadBackCase Cases[] = {
    {"Fade", 0, false, false},
    {"ShadeCovered", 1, false, true},
    {"Block", 2, false, false},
    {"FadePreview", 0, true, false},
};

// Exactly one frame falls due at the next PumpFrames, however long the test took.
void MakeOneFrameDue() {
    FrameClock.ElapsedMs = FrameClock.FrameIntervals[FrameClock.IntervalIndex];
    FrameClock.LastTime = timeGetTime();
}

// The colour bytes of each pixel, row by row (filler bytes and the unused fourth byte of a
// 32-bit pixel are not shown).
std::vector<uint8_t> VisibleBytes(const uint8_t* bits, int width, int height, int bytesPerPixel = BytesPerPixel24) {
    std::vector<uint8_t> visible;
    const size_t stride = static_cast<size_t>(bytesPerPixel == BytesPerPixel24 ? RowStride(width) : RowStride32(width));
    for (int row = 0; row < height; ++row) {
        const uint8_t* pixel = bits + row * stride;
        for (int column = 0; column < width; ++column, pixel += bytesPerPixel)
            visible.insert(visible.end(), pixel, pixel + BytesPerPixel24);
    }
    return visible;
}

// What the window must show: the dimmed capture or the front, or in the preview a full paint
// of the frame into a memory context of the window's size.
std::vector<uint8_t> ComposedFrame(HWND window, int width, int height) {
    if (!PreviewMode) {
        GdiFlush();
        if (CaptureBitmap) return VisibleBytes(DimmedBits, width, height);
        return VisibleBytes(TransitionSurfaceProbe(Slideshow().Surface()).FrontBits(), width, height, BytesPerPixel32);
    }
    WindowDc windowDc(window);
    UniqueMemoryDc memory(CreateCompatibleDC(windowDc.get()));
    UniqueBitmap frame(CreateCompatibleBitmap(windowDc.get(), width, height));
    SelectionGuard selected(memory.get(), frame.get());
    SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0);
    return VisibleBytes(ReadPixels(memory.get(), width, height).data(), width, height);
}

std::vector<uint8_t> Shown(HWND window, int width, int height) {
    WindowDc dc(window);
    return VisibleBytes(ReadPixels(dc.get(), width, height).data(), width, height);
}

void RunCase(const ReadBackCase& c) {
    WriteStoredSettings(4, c.effect, HoldFrames);

    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    UseDesktopHost();
    PatternWindow host(0, 0, c.preview ? PreviewWidth : desktop.right, c.preview ? PreviewHeight : desktop.bottom);
    if (c.preview) {
        HostWindow = host.get();
        PreviewMode = 1;
    }
    const bool started = StartDisplay(HostWindow);
    DeleteSettingsKey();
    ASSERT_TRUE(started);
    const int width = c.preview ? PreviewWidth : RenderWidth;
    const int height = c.preview ? PreviewHeight : RenderHeight;
    SaverWindow = c.preview ? CreateDisplayWindow(WS_CHILD | WS_VISIBLE, width, height, host.get())
                            : CreateDisplayWindow(WS_POPUP | WS_VISIBLE, width, height, nullptr);
    ASSERT_TRUE(SaverWindow);
    UpdateWindow(SaverWindow);
    DrainMessages();
    ASSERT_TRUE(FrameClock.ClockRunning) << "the first erase composes and starts the clock";

    std::unique_ptr<PatternWindow> cover;
    int holdTicks = 0, transitions = 0;
    for (int tick = 0; tick < Ticks; ++tick) {
        if (c.covered && tick == CoverFromTick) cover = std::make_unique<PatternWindow>(width / 4, height / 4, width / 2, height / 2);
        if (c.covered && tick == CoverUntilTick) cover.reset();
        DrainMessages();

        // A held frame changes nothing, so nothing may be painted: a mark on the window stays.
        const bool held = !CaptureBitmap && Slideshow().Position().HoldFrames > 0;
        if (held && !PreviewMode) {
            WindowDc dc(SaverWindow);
            SetPixel(dc.get(), 0, 0, Marker);
        }
        const int32_t stepBefore = CaptureBitmap ? -1 : Slideshow().Position().StepCounter;
        MakeOneFrameDue();
        PumpFrames();
        if (!CaptureBitmap && stepBefore > LastTransitionStep) ++transitions;
        if (held && !PreviewMode) {
            ++holdTicks;
            WindowDc dc(SaverWindow);
            ASSERT_EQ(GetPixel(dc.get(), 0, 0), Marker) << "a held frame was repainted, tick " << tick;
            const RECT corner{0, 0, 1, 1};
            InvalidateRect(SaverWindow, &corner, FALSE);
            UpdateWindow(SaverWindow);
        }
        DrainMessages();
        if (cover) continue;
        ASSERT_EQ(Shown(SaverWindow, width, height), ComposedFrame(SaverWindow, width, height))
            << c.name << ": the window differs from the composed frame at tick " << tick << ", step "
            << Slideshow().Position().StepCounter;
    }
    EXPECT_GE(transitions, 1) << "the run never reached a second picture";
    if (!PreviewMode) {
        EXPECT_GE(holdTicks, static_cast<int>(HoldFrames));
    }
    DestroyWindow(SaverWindow);
    SaverWindow = nullptr;
    StopDisplay(nullptr);
}

class RepaintReadBack : public testing::TestWithParam<ReadBackCase> {};

TEST_P(RepaintReadBack, WindowShowsTheComposedFrameAtEveryTick) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    SetEnvironmentVariableA(CaseVariable, GetParam().name);
    SaverProcess child(self, "--gtest_filter=RepaintReadBackCase.RunsTheCaseNamedInTheEnvironment");
    SetEnvironmentVariableA(CaseVariable, nullptr);
    ASSERT_TRUE(child.Started());
    const std::optional<long> code = child.WaitExit(120000);
    ASSERT_TRUE(code.has_value()) << "the case did not finish";
    EXPECT_EQ(*code, 0) << "the case failed; its output is above";
}

INSTANTIATE_TEST_SUITE_P(Cases, RepaintReadBack, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<ReadBackCase>& info) { return std::string(info.param.name); });

// Runs only as the child of the test above.
TEST(RepaintReadBackCase, RunsTheCaseNamedInTheEnvironment) {
    char name[64] = {};
    if (!GetEnvironmentVariableA(CaseVariable, name, sizeof name)) GTEST_SKIP() << "started by RepaintReadBack";
    for (const ReadBackCase& c : Cases)
        if (std::strcmp(c.name, name) == 0) return RunCase(c);
    FAIL() << "no case " << name;
}

}  // namespace
