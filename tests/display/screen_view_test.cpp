// What a user sees of the real saver, read back from the screen: the desktop dims level by
// level from full brightness to the chosen one, everything outside the picture is then the
// captured desktop at exactly that level, the picture arrives tile by tile with Block, and it
// stays for the hold time before the next one begins.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <set>
#include <vector>

#include "common/unique_handle.h"
#include "slideshow/transition_kernels.h"
#include "tests/host/saver_process.h"
#include "tests/settings/stored_settings.h"

namespace {

constexpr DWORD Brightness = 2;
constexpr DWORD HoldFrames = 60;
constexpr int TargetLevel = static_cast<int>(Brightness) * 4;
constexpr int FullLevel = 32;
constexpr int PictureWidth = 1024;
constexpr int PictureHeight = 768;
constexpr int TileSize = 64;
// Every second pixel in both directions is read: the Block squares shrink by two pixels.
constexpr int Sampling = 2;
constexpr double FramesPerSecond = 30.0;
constexpr DWORD WatchMs = 7000;

// One reading of the screen, every Sampling-th pixel, top row first, blue-green-red.
struct Shot {
    double seconds;
    std::vector<uint8_t> pixels;
};

class ScreenReader {
public:
    ScreenReader()
        : width_(GetSystemMetrics(SM_CXSCREEN)), height_(GetSystemMetrics(SM_CYSCREEN)),
          stride_((width_ * 3 + 3) / 4 * 4), memory_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        section_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }

    int SampledWidth() const { return width_ / Sampling; }
    int SampledHeight() const { return height_ / Sampling; }
    int Height() const { return height_; }

    Shot Read() {
        {
            WindowDc screen(nullptr);
            SelectionGuard select(memory_.get(), section_.get());
            BitBlt(memory_.get(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
        }
        GdiFlush();
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        Shot shot{static_cast<double>(now.QuadPart - start_.QuadPart) / frequency_.QuadPart, {}};
        shot.pixels.reserve(static_cast<size_t>(SampledWidth()) * SampledHeight() * 3);
        const auto* bytes = static_cast<const uint8_t*>(bits_);
        for (int y = 0; y < SampledHeight(); ++y) {
            const uint8_t* row = bytes + static_cast<size_t>(y) * Sampling * stride_;
            for (int x = 0; x < SampledWidth(); ++x) shot.pixels.insert(shot.pixels.end(), row + x * Sampling * 3,
                                                                        row + x * Sampling * 3 + 3);
        }
        return shot;
    }

private:
    int width_, height_, stride_;
    UniqueMemoryDc memory_;
    UniqueBitmap section_;
    void* bits_ = nullptr;
    LARGE_INTEGER frequency_{}, start_{};
};

// A window with a colour ramp, so that the desktop the saver captures is not one colour.
LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    for (int x = 0; x < client.right; x += 8) {
        for (int y = 0; y < client.bottom; y += 8) {
            RECT cell = {x, y, x + 8, y + 8};
            HBRUSH brush = CreateSolidBrush(RGB(x % 256, y % 256, (x + y) % 256));
            FillRect(dc, &cell, brush);
            DeleteObject(brush);
        }
    }
    EndPaint(window, &paint);
    return 0;
}

std::vector<uint8_t> AtLevel(const std::vector<uint8_t>& captured, int level) {
    std::vector<uint8_t> dimmed(captured.size());
    std::transform(captured.begin(), captured.end(), dimmed.begin(),
                   [level](uint8_t c) { return static_cast<uint8_t>(c * level / FullLevel); });
    return dimmed;
}

// The level at which the whole screen is the captured desktop dimmed, or -1 when none is.
int DimLevelOf(const Shot& shot, const std::vector<std::vector<uint8_t>>& desktopAtLevel) {
    for (int level = FullLevel; level >= 0; --level) {
        if (shot.pixels == desktopAtLevel[level]) return level;
    }
    return -1;
}

class ScreenView : public testing::Test {
protected:
    void SetUp() override {
        WriteStoredSettings(Brightness, BlockEffect, HoldFrames);
        WNDCLASSA patternClass = {};
        patternClass.lpfnWndProc = PatternProc;
        patternClass.hInstance = GetModuleHandleA(nullptr);
        patternClass.lpszClassName = "ScreenViewPattern";
        RegisterClassA(&patternClass);
        pattern_ = CreateWindowExA(0, "ScreenViewPattern", "", WS_POPUP | WS_VISIBLE, 40, 60, 900, 700, nullptr,
                                   nullptr, patternClass.hInstance, nullptr);
        UpdateWindow(pattern_);
        WaitFor([] { return false; }, 500);
    }
    void TearDown() override {
        DestroyWindow(pattern_);
        DeleteSettingsKey();
    }

    HWND pattern_ = nullptr;
};

TEST_F(ScreenView, DimsLevelByLevelThenShowsBlockTransitionAndHoldsThePicture) {
    ScreenReader reader;
    const std::vector<uint8_t> desktop = reader.Read().pixels;
    std::vector<std::vector<uint8_t>> desktopAtLevel;
    for (int level = 0; level <= FullLevel; ++level) desktopAtLevel.push_back(AtLevel(desktop, level));

    SaverProcess saver(SaverPath(), "/s");
    ASSERT_TRUE(saver.Started());
    std::vector<Shot> shots;
    WaitFor(
        [&] {
            shots.push_back(reader.Read());
            return false;
        },
        WatchMs);
    ASSERT_TRUE(saver.Running()) << "the saver ended by itself";

    // The dim-in: whole-screen levels, never rising, from full brightness down to the target.
    std::vector<int> levels;
    size_t firstPicture = shots.size();
    for (size_t i = 0; i < shots.size(); ++i) {
        int level = DimLevelOf(shots[i], desktopAtLevel);
        if (level < 0) {
            firstPicture = i;
            break;
        }
        levels.push_back(level);
    }
    ASSERT_LT(firstPicture, shots.size()) << "no picture appeared";
    ASSERT_GE(levels.size(), 3u);
    EXPECT_TRUE(std::is_sorted(levels.rbegin(), levels.rend())) << "a dim-in level rose again";
    EXPECT_EQ(levels.front(), FullLevel);
    // The target level stands for one frame only and may fall between two readings of the
    // screen; the held screen below shows it exactly around the picture.
    EXPECT_GE(levels.back(), TargetLevel);
    EXPECT_GE(std::set<int>(levels.begin(), levels.end()).size(), 3u) << "the dim-in skipped to the end";

    // The held picture: the first shot after the transition that the next shots repeat.
    const std::vector<uint8_t>& backdrop = desktopAtLevel[TargetLevel];
    size_t held = firstPicture;
    while (held + 1 < shots.size() && shots[held].pixels != shots[held + 1].pixels) ++held;
    ASSERT_LT(held + 1, shots.size()) << "the picture never stood still";
    const std::vector<uint8_t>& picture = shots[held].pixels;

    // Outside a box of the picture's size, the screen is the desktop at exactly the target level.
    const int w = reader.SampledWidth(), h = reader.SampledHeight();
    int left = w, top = h, right = -1, bottom = -1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            size_t at = (static_cast<size_t>(y) * w + x) * 3;
            if (std::equal(&picture[at], &picture[at] + 3, &backdrop[at])) continue;
            left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, 0) << "the held screen is the bare backdrop";
    EXPECT_LE((right - left + 1) * Sampling, PictureWidth);
    EXPECT_LE((bottom - top + 1) * Sampling, PictureHeight);
    EXPECT_GE((right - left + 1) * Sampling, PictureWidth * 3 / 4) << "the picture is mostly missing";

    // Block: each shot during the transition shows, in every 64-pixel tile counted from the
    // bottom-left corner, the old screen in a bottom-left square and the new one elsewhere.
    int partialShots = 0;
    for (size_t i = firstPicture; i < held; ++i) {
        const std::vector<uint8_t>& shot = shots[i].pixels;
        std::vector<int> fromSides;  // the "distance" max(h, w) of every pixel still showing the old screen
        int smallestNew = TileSize;
        for (int y = 0; y < h; ++y) {
            int rowFromBottom = reader.Height() - 1 - y * Sampling;
            for (int x = 0; x < w; ++x) {
                size_t at = (static_cast<size_t>(y) * w + x) * 3;
                bool isOld = std::equal(&shot[at], &shot[at] + 3, &backdrop[at]);
                bool isNew = std::equal(&shot[at], &shot[at] + 3, &picture[at]);
                ASSERT_TRUE(isOld || isNew) << "Block mixed two pictures at (" << x * Sampling << ", " << y * Sampling << ")";
                if (isOld == isNew) continue;
                int side = std::max((rowFromBottom % TileSize) / 2, (x * Sampling % TileSize) / 2);
                if (isOld) fromSides.push_back(side);
                else smallestNew = std::min(smallestNew, side);
            }
        }
        int largestOld = fromSides.empty() ? -1 : *std::max_element(fromSides.begin(), fromSides.end());
        EXPECT_LT(largestOld, smallestNew) << "shot " << i << " is not shrinking squares";
        partialShots += largestOld >= 0 && smallestNew < TileSize;
    }
    EXPECT_GE(partialShots, 1) << "no shot caught the transition half way";

    // The hold: from the last changing step to the next transition's first visible step
    // there are 3 closing steps, the choice, the hold and Block's empty step 0.
    size_t next = held + 1;
    while (next < shots.size() && shots[next].pixels == picture) ++next;
    ASSERT_LT(next, shots.size()) << "the next picture never began";
    // Each end is seen up to one reading late; a busy machine only makes the hold longer.
    double readingGap = 0;
    for (size_t i = held; i <= next; ++i) readingGap = std::max(readingGap, shots[i].seconds - shots[i - 1].seconds);
    double stood = shots[next].seconds - shots[held].seconds;
    double expected = (HoldFrames + 6) / FramesPerSecond;
    EXPECT_GE(stood, expected - 1 / FramesPerSecond - readingGap);
    EXPECT_LE(stood, expected + readingGap + 1.0);

    std::printf("%zu readings; dim-in levels seen:", shots.size());
    for (int level : levels) std::printf(" %d", level);
    std::printf("; %d readings mid-transition; picture stood %.2f s (expected %.2f)\n", partialShots, stood, expected);

    PressSpace();
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), 0L);
}

}  // namespace
