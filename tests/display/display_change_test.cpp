// The full-screen saver while the display mode changes under it, down and back up, again and
// again: each time it comes back over the whole new screen, everything outside its picture is
// the new desktop dimmed to the chosen level (never a picture shown before the change), the
// picture lies on the new screen, and a key still ends the saver with 0. A click or a key
// while it stands aside for the change ends it too.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/dpi_declarations.h"
#include "common/unique_handle.h"
#include "common/pixel_layout.h"
#include "display/dim_in_plan.h"
#include "slideshow/transition_kernels.h"
#include "tests/display/display_test_support.h"
#include "tests/host/saver_process.h"
#include "tests/settings/stored_settings.h"

namespace {

constexpr DWORD Brightness = 2;
// The first picture stays for the whole test.
constexpr DWORD HoldFrames = 30000;
constexpr int PictureWidth = 1024;
constexpr int PictureHeight = 768;
constexpr DWORD PictureTimeoutMs = 10000;
constexpr DWORD ModeChangeTimeoutMs = 5000;
constexpr int ChangesDownAndUp = 10;
// Tries at catching the saver while it stands aside, which lasts a fraction of a second.
constexpr int UncoveredTries = 5;
constexpr DWORD UncoveredWatchMs = 250;

struct Screen {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // 24-bit bottom-up rows
};

Screen ReadScreen() {
    Screen screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), {}};
    WindowDc dc(nullptr);
    screen.pixels = ReadPixels(dc.get(), screen.width, screen.height);
    return screen;
}

// Two readings in a row that agree: nothing is moving on the screen.
Screen ReadSteadyScreen() {
    Screen last = ReadScreen();
    WaitFor(
        [&] {
            Screen next = ReadScreen();
            const bool steady = next.pixels == last.pixels;
            last = std::move(next);
            return steady;
        },
        3000);
    return last;
}

bool ChangeMode(int width, int height) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) != DISP_CHANGE_SUCCESSFUL) return false;
    return WaitFor([&] { return GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height; },
                   ModeChangeTimeoutMs);
}

// The box of every pixel that is not the desktop at the target level: the picture, and
// anything else the saver shows that it should not.
RECT BoxOffTheDimmedDesktop(const Screen& shown, const Screen& desktop) {
    RECT box = {shown.width, shown.height, 0, 0};
    const size_t stride = static_cast<size_t>(RowStride(shown.width));
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width * 3; ++x) {
            const size_t at = static_cast<size_t>(y) * stride + static_cast<size_t>(x);
            if (shown.pixels[at] == desktop.pixels[at] * DimTargetLevel(Brightness) / FullBrightnessLevel) continue;
            const int column = x / 3, row = shown.height - 1 - y;
            box = {std::min<LONG>(box.left, column), std::min<LONG>(box.top, row), std::max<LONG>(box.right, column + 1),
                   std::max<LONG>(box.bottom, row + 1)};
        }
    }
    return box;
}

// One picture's box at most off the dimmed desktop, and most of a picture in it.
bool ShowsOnePictureOver(const Screen& shown, const Screen& desktop) {
    if (shown.width != desktop.width || shown.pixels.size() != desktop.pixels.size()) return false;
    const RECT box = BoxOffTheDimmedDesktop(shown, desktop);
    const int width = box.right - box.left, height = box.bottom - box.top;
    return width >= PictureWidth * 3 / 4 && width <= PictureWidth && height <= PictureHeight;
}

// A slow start or rebuild is waited for; a wrong screen that stays is not.
void ExpectPictureOverDimmedDesktop(const Screen& desktop) {
    Screen shown;
    WaitFor(
        [&] {
            shown = ReadSteadyScreen();
            return ShowsOnePictureOver(shown, desktop);
        },
        PictureTimeoutMs);
    const RECT box = BoxOffTheDimmedDesktop(shown, desktop);
    EXPECT_TRUE(ShowsOnePictureOver(shown, desktop))
        << "on the " << shown.width << "x" << shown.height << " screen, the part off the dimmed desktop is "
        << box.right - box.left << "x" << box.bottom - box.top << " at " << box.left << "," << box.top;
}

class DisplayChange : public testing::Test {
protected:
    void SetUp() override {
        WriteStoredSettings(Brightness, FadeEffect, HoldFrames);
    }
    void TearDown() override {
        ChangeMode(startWidth_, startHeight_);
        DeleteSettingsKey();
    }

    const int startWidth_ = GetSystemMetrics(SM_CXSCREEN);
    const int startHeight_ = GetSystemMetrics(SM_CYSCREEN);
};

TEST_F(DisplayChange, SaverFollowsTheModeDownAndBackUp) {
    const int smallWidth = startWidth_ * 4 / 5, smallHeight = startHeight_ * 64 / 75;
    PatternWindow pattern(40, 60, 900, 700);
    // The desktop at each size, as the saver should capture it.
    ASSERT_TRUE(ChangeMode(smallWidth, smallHeight)) << "the mode cannot be changed here";
    const Screen smallDesktop = ReadSteadyScreen();
    ASSERT_TRUE(ChangeMode(startWidth_, startHeight_));
    const Screen startDesktop = ReadSteadyScreen();

    SaverProcess saver(SaverPath(), "/s");
    const HWND window = saver.FindSaverWindow(nullptr, StartTimeoutMs);
    ASSERT_TRUE(window);
    ExpectPictureOverDimmedDesktop(startDesktop);

    for (int change = 0; change < 2 * ChangesDownAndUp; ++change) {
        const Screen* desktop = change % 2 == 0 ? &smallDesktop : &startDesktop;
        SCOPED_TRACE(testing::Message() << "after change " << change + 1 << ", to " << desktop->width << "x"
                                        << desktop->height);
        ASSERT_TRUE(ChangeMode(desktop->width, desktop->height));
        const bool covers = WaitFor(
            [&] {
                RECT area = {};
                GetWindowRect(window, &area);
                return IsWindowVisible(window) && area.right == desktop->width && area.bottom == desktop->height;
            },
            ModeChangeTimeoutMs);
        ASSERT_TRUE(covers) << "the saver does not cover the new screen";
        ExpectPictureOverDimmedDesktop(*desktop);
        ASSERT_TRUE(saver.Running());
    }

    PressSpace();
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), 0L);
}

// While the saver stands aside, the window under the cursor is the one beneath it.
bool Uncovered(HWND window, POINT cursor) { return WindowFromPoint(cursor) != window; }

void ClickWhereTheCursorIs() {
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof click[0]);
}

// A click over another program's window, or a key, while the saver stands aside.
TEST_F(DisplayChange, InputDuringTheChangeEndsTheSaver) {
    const struct {
        const char* name;
        void (*input)();
    } cases[] = {{"a click", ClickWhereTheCursorIs}, {"a key", PressSpace}};
    PatternWindow pattern(40, 60, 900, 700);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        // Over the other window, before the saver starts: a later move would end it.
        const POINT cursor = {400, 300};
        ASSERT_TRUE(PlaceCursor(cursor));
        SaverProcess saver(SaverPath(), "/s");
        const HWND window = saver.FindSaverWindow(nullptr, StartTimeoutMs);
        ASSERT_TRUE(window);
        ASSERT_TRUE(WaitUntilLooping(window, StartTimeoutMs));
        ASSERT_TRUE(WaitFor([&] { return !Uncovered(window, cursor); }, StartTimeoutMs));
        bool uncovered = false;
        for (int attempt = 0; attempt < UncoveredTries && !uncovered; ++attempt) {
            const bool down = attempt % 2 == 0;
            ASSERT_TRUE(ChangeMode(down ? startWidth_ * 4 / 5 : startWidth_, down ? startHeight_ * 64 / 75 : startHeight_));
            // The notice may reach the saver a little after the mode has changed.
            uncovered = WaitFor([&] { return Uncovered(window, cursor); }, UncoveredWatchMs);
            if (uncovered) test.input();
        }
        ASSERT_TRUE(uncovered) << "the saver was never caught standing aside";
        EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), 0L);
    }
}

// The platform drops a change's notice that a busy saver has not taken within its time limit;
// the change is followed all the same.
TEST_F(DisplayChange, AChangeWhoseNoticeWasLostIsFollowed) {
    const int smallWidth = startWidth_ * 4 / 5, smallHeight = startHeight_ * 64 / 75;
    SaverProcess saver(SaverPath(), "/s");
    const HWND window = saver.FindSaverWindow(nullptr, StartTimeoutMs);
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitUntilLooping(window, StartTimeoutMs));
    const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    UniqueKernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId));
    ASSERT_TRUE(thread);
    ASSERT_NE(SuspendThread(thread.get()), static_cast<DWORD>(-1));
    const bool changed = ChangeMode(smallWidth, smallHeight);
    ResumeThread(thread.get());
    ASSERT_TRUE(changed);
    EXPECT_TRUE(WaitFor(
        [&] {
            RECT area = {};
            GetWindowRect(window, &area);
            return area.right == smallWidth && area.bottom == smallHeight;
        },
        ModeChangeTimeoutMs))
        << "the saver does not cover the new screen";
    PressSpace();
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), 0L);
}

// A notice after which the screen is as it was leaves the saver where it is; a scale change,
// whose notice comes before any reading shows it, makes it stand aside and come back.
TEST_F(DisplayChange, OnlyANoticeOfARealChangeIsFollowed) {
    PatternWindow pattern(40, 60, 900, 700);
    const POINT cursor = {400, 300};
    ASSERT_TRUE(PlaceCursor(cursor));
    SaverProcess saver(SaverPath(), "/s");
    const HWND window = saver.FindSaverWindow(nullptr, StartTimeoutMs);
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitFor([&] { return !Uncovered(window, cursor); }, StartTimeoutMs));
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool followed;
    } notices[] = {{WM_DISPLAYCHANGE, 32, MAKELPARAM(startWidth_, startHeight_), false}, {WM_DPICHANGED, 0, 0, true}};
    for (const auto& notice : notices) {
        SCOPED_TRACE(testing::Message() << "message " << notice.message);
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutA(window, notice.message, notice.wParam, notice.lParam, SMTO_BLOCK, ExitTimeoutMs,
                                        &answer));
        EXPECT_EQ(WaitFor([&] { return Uncovered(window, cursor); }, 2 * UncoveredWatchMs), notice.followed);
        ASSERT_TRUE(WaitFor([&] { return !Uncovered(window, cursor); }, ModeChangeTimeoutMs));
    }
    ASSERT_TRUE(saver.Running());
    PressSpace();
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), 0L);
}

}  // namespace
