#include "display/display_surfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/process_state.h"
#include "display/frame_clock.h"
#include "display/scale_brightness.h"
#include "slideshow/random_generator.h"
#include "slideshow/scene.h"
#include "tests/display/display_test_support.h"

namespace {

RECT ClientOf(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client;
}

TEST(DisplaySurfaces, StartBuildsEverythingAtTheHostSizeAndStopsTheClock) {
    UseDesktopHost();
    FrameClock.ClockRunning = 1;
    FrameClock.ElapsedMs = 20;
    ASSERT_TRUE(StartDisplay(HostWindow));
    const RECT desktop = ClientOf(HostWindow);
    EXPECT_EQ(RenderWidth, desktop.right);
    EXPECT_EQ(RenderHeight, desktop.bottom);
    EXPECT_TRUE(WorkDc);
    EXPECT_TRUE(BackdropDc);
    EXPECT_FALSE(PreviewDc);
    ASSERT_TRUE(DisplayScene);
    EXPECT_TRUE(DisplayScene->IsOpen());
    EXPECT_TRUE(CaptureBitmap && CaptureBits && DimmedBitmap && DimmedBits);
    EXPECT_FALSE(FrameClock.ClockRunning);
    EXPECT_EQ(FrameClock.ElapsedMs, 0u);
    StopDisplay(nullptr);
}

// Each run starts the generator afresh from the tick count, so runs show different orders.
TEST(DisplaySurfaces, StartSeedsTheGeneratorFromTheTickCount) {
    UseDesktopHost();
    SeedRandom(12345);
    NextRandom();
    const DWORD before = GetTickCount();
    ASSERT_TRUE(StartDisplay(HostWindow));
    const DWORD after = GetTickCount();
    const std::vector<uint32_t> started(RandomRing, RandomRing + RandomRingSize);
    const uint16_t startedIndex = RandomIndex;
    StopDisplay(nullptr);
    bool seededAtStart = false;
    for (DWORD tick = before; tick <= after && !seededAtStart; ++tick) {
        ResetRandom();
        SeedRandom(tick);
        seededAtStart = RandomIndex == startedIndex && std::equal(started.begin(), started.end(), RandomRing);
    }
    EXPECT_TRUE(seededAtStart);
}

TEST(DisplaySurfaces, StopReleasesEveryObjectOnceAndMayRunAgain) {
    UseDesktopHost();
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(StartDisplay(HostWindow)) << "run " << run;
        const HDC contexts[] = {WorkDc.get(), BackdropDc.get()};
        const HBITMAP sections[] = {CaptureBitmap.get(), DimmedBitmap.get()};
        for (HDC dc : contexts) EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
        for (HBITMAP section : sections) EXPECT_EQ(GetObjectType(section), static_cast<DWORD>(OBJ_BITMAP));

        StopDisplay(nullptr);
        StopDisplay(nullptr);
        for (HDC dc : contexts) EXPECT_EQ(GetObjectType(dc), 0u) << "memory context still alive, run " << run;
        for (HBITMAP section : sections) EXPECT_EQ(GetObjectType(section), 0u) << "section still alive";
        EXPECT_FALSE(DisplayScene);
        EXPECT_FALSE(WorkDc || BackdropDc || PreviewDc || CaptureBitmap || DimmedBitmap);
        EXPECT_EQ(CaptureBits, nullptr);
        EXPECT_EQ(DimmedBits, nullptr);
    }
}

TEST(DisplaySurfaces, StopWithAWindowThatIsGoneTouchesNothing) {
    UseDesktopHost();
    ASSERT_TRUE(StartDisplay(HostWindow));
    HWND window = CreateDisplayWindow(WS_POPUP, 64, 48, nullptr);
    ASSERT_TRUE(window);
    DestroyWindow(window);
    StopDisplay(window);
    EXPECT_FALSE(DisplayScene);
    EXPECT_FALSE(WorkDc || BackdropDc);
}

TEST(DisplaySurfaces, HostWithoutAnAreaFailsTheStartCleanly) {
    UseDesktopHost();
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(host);
    HostWindow = host;
    EXPECT_FALSE(StartDisplay(host)) << "no capture section can be made for an empty area";
    EXPECT_FALSE(CaptureBitmap || DimmedBitmap);
    StopDisplay(nullptr);
    EXPECT_FALSE(DisplayScene || WorkDc || BackdropDc);
    DestroyWindow(host);
}

TEST(DisplaySurfaces, AttachOutsideThePreviewOutputsTheRenderArea) {
    UseDesktopHost();
    ASSERT_TRUE(StartDisplay(HostWindow));
    HWND window = CreateDisplayWindow(WS_POPUP, 300, 200, nullptr);
    ASSERT_TRUE(window);
    EXPECT_EQ(OutputRect.right, RenderWidth);
    EXPECT_EQ(OutputRect.bottom, RenderHeight);
    EXPECT_FALSE(PreviewDc);
    DestroyWindow(window);
    StopDisplay(nullptr);
}

TEST(DisplaySurfaces, PreviewRendersAtFixedSizeAndCapturesTheHostEnlarged) {
    constexpr int hostWidth = 200;  // two bands of the pattern
    constexpr int hostHeight = 150;
    PatternWindow host(0, 0, hostWidth, hostHeight);
    HostWindow = host.get();
    PreviewMode = 1;
    WindowedMode = 1;
    ASSERT_TRUE(StartDisplay(HostWindow));
    EXPECT_EQ(RenderWidth, PreviewRenderWidth);
    EXPECT_EQ(RenderHeight, PreviewRenderHeight);

    HWND saver = CreateDisplayWindow(WS_CHILD, hostWidth, hostHeight, host.get());
    ASSERT_TRUE(saver);
    EXPECT_TRUE(PreviewDc);
    EXPECT_EQ(OutputRect.right, hostWidth);
    EXPECT_EQ(OutputRect.bottom, hostHeight);

    // The capture enlarges the host's area to the render size. It is fed from a copy of
    // the host's picture: the host itself is hidden while it is read.
    WindowDc hostDc(host.get());
    UniqueMemoryDc source(CreateCompatibleDC(hostDc.get()));
    UniqueBitmap picture(CreateCompatibleBitmap(hostDc.get(), hostWidth, hostHeight));
    {
        SelectionGuard selected(source.get(), picture.get());
        BitBlt(source.get(), 0, 0, hostWidth, hostHeight, hostDc.get(), 0, 0, SRCCOPY);
        CaptureBackdrop(source.get());
    }
    const size_t stride = static_cast<size_t>(RowStride(RenderWidth));
    for (int hostX : {0, 50, 99, 100, 150, 199}) {
        const int renderX = hostX * RenderWidth / hostWidth + 1;
        const COLORREF expected = PatternWindow::ColourAt(hostX);
        for (int row : {0, RenderHeight / 2, RenderHeight - 1}) {
            const uint8_t* pixel = CaptureBits + row * stride + renderX * 3;
            EXPECT_EQ(RGB(pixel[2], pixel[1], pixel[0]), expected) << "host column " << hostX << " row " << row;
        }
    }

    EXPECT_EQ(EraseWithOwnDc(saver), -1);
    EXPECT_FALSE(CapturePending);
    EXPECT_TRUE(FrameClock.ClockRunning);
    EXPECT_TRUE(IsWindowVisible(host.get())) << "the host is shown again after the capture";
    DestroyWindow(saver);
    StopDisplay(nullptr);
}

}  // namespace
