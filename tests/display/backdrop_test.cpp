#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/process_state.h"
#include "display/dim_in_plan.h"
#include "display/display_surfaces.h"
#include "display/frame_clock.h"
#include "display/scale_brightness.h"
#include "settings/saver_settings.h"
#include "slideshow/slideshow_scene.h"
#include "tests/display/display_test_support.h"
#include "tests/slideshow/transition_surface_probe.h"

namespace {

// A pattern over the whole desktop, an invisible saver window above it, and the display
// started and attached; the first erase is left to each test.
class Backdrop : public testing::Test {
protected:
    void SetUp() override {
        UseDesktopHost();
        RECT desktop;
        GetClientRect(GetDesktopWindow(), &desktop);
        pattern_ = std::make_unique<PatternWindow>(0, 0, desktop.right, desktop.bottom);
        ASSERT_TRUE(StartDisplay(HostWindow));
        window_ = CreateDisplayWindow(WS_POPUP, RenderWidth, RenderHeight, nullptr);
        ASSERT_TRUE(window_);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        StopDisplay(nullptr);
    }

    size_t ByteCount() const { return PixelBufferBytes(RenderWidth, RenderHeight); }

    // Checks that every byte of scaled is the byte of source at level/32, filler included.
    void ExpectScaled(const uint8_t* scaled, const std::vector<uint8_t>& source, int32_t level, const char* what) {
        size_t mismatches = 0;
        size_t first = 0;
        for (size_t i = 0; i < source.size(); ++i) {
            if (scaled[i] != source[i] * level / FullBrightnessLevel && mismatches++ == 0) first = i;
        }
        EXPECT_EQ(mismatches, 0u) << what << " at level " << level << ", first wrong byte " << first;
    }

    std::unique_ptr<PatternWindow> pattern_;
    HWND window_ = nullptr;
};

// The scene's copy of the backdrop, in the capture's 24-bit rows.
std::vector<uint8_t> SceneBackdrop() {
    const uint8_t* backdrop = TransitionSurfaceProbe(Slideshow().Surface()).BackdropBits();
    if (!backdrop) return {};
    GdiFlush();
    return std::vector<uint8_t>(backdrop, backdrop + PixelBufferBytes(RenderWidth, RenderHeight));
}

// The width of the bitmap selected into dc.
LONG SelectedBitmapWidth(HDC dc) {
    BITMAP bitmap{};
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bitmap), &bitmap);
    return bitmap.bmWidth;
}

// Only the first erase of a process captures, so each brightness is its own test.
class BackdropLevel : public Backdrop, public testing::WithParamInterface<uint32_t> {};

TEST_P(BackdropLevel, CaptureHoldsTheDesktopAndTheBackdropIsItAtTheTargetLevel) {
    const uint32_t brightness = GetParam();
    SaverSettings.Brightness = brightness;
    ASSERT_EQ(EraseWithOwnDc(window_), -1);
    ASSERT_TRUE(CaptureBits);
    const std::vector<uint8_t> capture(CaptureBits, CaptureBits + ByteCount());

    // The capture is the pattern under the window: test a pixel of each band.
    const size_t stride = static_cast<size_t>(RowStride(RenderWidth));
    for (int x = 50; x < RenderWidth; x += 100) {
        const uint8_t* pixel = capture.data() + (RenderHeight / 3) * stride + x * 3;
        const COLORREF expected = PatternWindow::ColourAt(x);
        ASSERT_EQ(RGB(pixel[2], pixel[1], pixel[0]), expected) << "column " << x;
    }
    EXPECT_EQ(std::memcmp(DimmedBits, capture.data(), capture.size()), 0)
        << "the dim-in starts from the undimmed capture";

    EXPECT_EQ(SelectedBitmapWidth(BackdropDc.get()), 1) << "the scene holds the backdrop, not the display";
    const std::vector<uint8_t> backdrop = SceneBackdrop();
    ASSERT_EQ(backdrop.size(), capture.size());
    // The filler bytes of the 24-bit rows are not pixels.
    std::vector<uint8_t> expectedSource(capture);
    for (int row = 0; row < RenderHeight; ++row) {
        for (size_t i = RenderWidth * 3; i < stride; ++i) expectedSource[row * stride + i] = 0;
    }
    ExpectScaled(backdrop.data(), expectedSource, DimTargetLevel(brightness), "backdrop");
}

INSTANTIATE_TEST_SUITE_P(Brightness, BackdropLevel, testing::Values(0u, 3u, 8u));

TEST_F(Backdrop, DimInShowsEveryLevelFromFullDownThenHandsOverToTheScene) {
    SaverSettings.Brightness = 5;  // target 20: 13 dim ticks
    ASSERT_EQ(EraseWithOwnDc(window_), -1);
    ASSERT_TRUE(FrameClock.ClockRunning) << "the clock starts with the first composition";
    const std::vector<uint8_t> capture(CaptureBits, CaptureBits + ByteCount());

    for (int32_t level = FullBrightnessLevel; level >= DimTargetLevel(5); --level) {
        FrameClock.FramesDue = 4;
        StepScene();
        ASSERT_TRUE(DimmedBits) << "sections live through the dim-in, level " << level;
        ExpectScaled(DimmedBits, capture, level, "dimmed capture");
        EXPECT_EQ(FrameClock.FramesDue, 0) << "frames due during the dim-in are dropped";
    }
    FrameClock.FramesDue = 0;
    StepScene();
    EXPECT_FALSE(CaptureBitmap || DimmedBitmap) << "the tick after the dim-in ends the dimmed picture";
    EXPECT_EQ(DimLevel, DimTargetLevel(5) - 1);

    // Painting now shows the scene's frame, which after no advance is the backdrop itself.
    const std::vector<uint8_t> backdrop = SceneBackdrop();
    UniqueMemoryDc target(CreateCompatibleDC(nullptr));
    WindowDc screen(nullptr);
    UniqueBitmap frame(CreateCompatibleBitmap(screen.get(), RenderWidth, RenderHeight));
    SelectionGuard selected(target.get(), frame.get());
    SendMessageA(window_, WM_PAINT, reinterpret_cast<WPARAM>(target.get()), 0);
    EXPECT_EQ(ReadPixels(target.get(), RenderWidth, RenderHeight), backdrop);
}

TEST_F(Backdrop, SecondEraseNeitherCapturesNorComposesAgain) {
    ASSERT_EQ(EraseWithOwnDc(window_), -1);
    ASSERT_FALSE(CapturePending);
    std::memset(CaptureBits, 0x5A, ByteCount());
    std::memset(DimmedBits, 0x3C, ByteCount());
    FrameClock.IntervalIndex = 7;
    FrameClock.ElapsedMs = 12;
    const std::vector<uint8_t> backdrop = SceneBackdrop();

    EXPECT_EQ(EraseWithOwnDc(window_), -1);
    EXPECT_EQ(CaptureBits[ByteCount() / 2], 0x5A) << "captured again";
    EXPECT_EQ(DimmedBits[ByteCount() / 2], 0x3C) << "scaled again";
    EXPECT_EQ(FrameClock.IntervalIndex, 7) << "clock restarted";
    EXPECT_EQ(FrameClock.ElapsedMs, 12u);
    EXPECT_EQ(SceneBackdrop(), backdrop);
}

TEST_F(Backdrop, EraseWithoutAContextIsAnsweredButChangesNothing) {
    EXPECT_EQ(SendMessageA(window_, WM_ERASEBKGND, 0, 0), -1);
    EXPECT_TRUE(CapturePending);
    EXPECT_FALSE(FrameClock.ClockRunning);
}

TEST_F(Backdrop, LoopTurnsBeforeTheFirstEraseNeitherStepNorPaint) {
    SaverWindow = window_;
    for (int turn = 0; turn < 5; ++turn) {
        PumpFrames();
        YieldTime(1);
    }
    EXPECT_EQ(DimLevel, FullBrightnessLevel);
    EXPECT_EQ(FrameClock.FramesDue, 0);
    SaverWindow = nullptr;
}

TEST_F(Backdrop, RunningLoopDimsOnScreenAndThenAdvancesTheScene) {
    SaverSettings.Brightness = 2;  // target 8: 25 ticks, under a second
    SaverWindow = window_;
    ShowWindow(window_, SW_SHOW);  // the first erase comes with showing
    DrainMessages();
    ASSERT_FALSE(CapturePending);
    const std::vector<uint8_t> capture(CaptureBits, CaptureBits + ByteCount());
    const size_t stride = static_cast<size_t>(RowStride(RenderWidth));
    const size_t topLeft = (RenderHeight - 1 - 10) * stride + 10 * 3;  // rows run bottom-up
    ASSERT_EQ(RGB(capture[topLeft + 2], capture[topLeft + 1], capture[topLeft]), PatternWindow::ColourAt(10))
        << "the desktop under the saver window is captured, not the window itself";

    const DWORD start = GetTickCount();
    while (CaptureBitmap && GetTickCount() - start < 10000) {
        PumpFrames();
        DrainMessages();
        YieldTime(1);
    }
    ASSERT_FALSE(CaptureBitmap) << "the dim-in did not end within 10 s";
    EXPECT_EQ(DimLevel, DimTargetLevel(2) - 1);

    // The window shows the scene over the backdrop; the first picture is placed at random
    // and almost never reaches the top-left corner, which therefore shows the backdrop.
    const std::vector<uint8_t> backdrop = SceneBackdrop();
    WindowDc screen(window_);
    const std::vector<uint8_t> shown = ReadPixels(screen.get(), RenderWidth, RenderHeight);
    for (size_t channel = 0; channel < 3; ++channel) {
        EXPECT_EQ(backdrop[topLeft + channel], capture[topLeft + channel] * DimTargetLevel(2) / FullBrightnessLevel);
        EXPECT_EQ(shown[topLeft + channel], backdrop[topLeft + channel]);
    }
    SaverWindow = nullptr;
}

}  // namespace
