#include <gtest/gtest.h>

#include "common/process_state.h"
#include "resources/resource_ids.h"
#include "settings/about_box.h"
#include "settings/settings_dialog.h"
#include "tests/settings/settings_test_support.h"

#include <string>

namespace {

constexpr int CheckTick = 8;
constexpr int GiveUpTick = 20;
constexpr COLORREF White = RGB(255, 255, 255);

struct BoxRun {
    INT_PTR result = 0;
    bool captured = false;
    HWND owner = nullptr;
    bool stayedOpen = false;
    bool forced = false;
};

// Opens the box through ShowAboutBox; once it shows, `act` runs on it. A box still open
// a while later is noted and clicked; one that does not close even then is ended by force.
template <typename Action>
BoxRun RunAboutBox(HWND except, Action act) {
    BoxRun run;
    HWND box = nullptr;
    TimerDriver driver([&](int tick) {
        if (!box && (box = FindThreadDialog(except)) != nullptr) {
            run.captured = GetCapture() == box;
            run.owner = GetWindow(box, GW_OWNER);
            act(box);
        } else if (tick == CheckTick && box && IsWindowVisible(box)) {
            run.stayedOpen = true;
            PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        } else if (tick == GiveUpTick && box && IsWindowVisible(box)) {
            run.forced = true;
            EndDialog(box, 0);
        }
        return tick < GiveUpTick;
    });
    run.result = ShowAboutBox(except);
    return run;
}

struct InputCase {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool staysOpen;
};

TEST(AboutBoxTest, ClosesOnMousePressesAndDeactivationButNotOnKeys) {
    const InputCase cases[] = {
        {"left button", WM_LBUTTONDOWN, MK_LBUTTON, false},
        {"right button", WM_RBUTTONDOWN, MK_RBUTTON, false},
        {"middle button", WM_MBUTTONDOWN, MK_MBUTTON, false},
        {"left button on the frame", WM_NCLBUTTONDOWN, HTBORDER, false},
        {"deactivation", WM_NCACTIVATE, FALSE, false},
        {"activation", WM_NCACTIVATE, TRUE, true},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, true},
        {"Enter", WM_KEYDOWN, VK_RETURN, true},
        {"Space", WM_KEYDOWN, VK_SPACE, true},
        {"a character", WM_CHAR, 'a', true},
        {"mouse move", WM_MOUSEMOVE, 0, true},
    };
    for (const InputCase& c : cases) {
        const BoxRun run = RunAboutBox(nullptr, [&](HWND box) { PostMessageW(box, c.message, c.wParam, 0); });
        EXPECT_EQ(run.result, 1) << c.what;
        EXPECT_EQ(run.stayedOpen, c.staysOpen) << c.what;
        EXPECT_FALSE(run.forced) << c.what;
        EXPECT_TRUE(run.captured) << c.what;
        EXPECT_EQ(run.owner, nullptr) << c.what;
        EXPECT_EQ(GetCapture(), nullptr) << c.what;
    }
}

// A real click far outside the box reaches it through the capture it took on opening.
TEST(AboutBoxTest, RealClickAnywhereClosesIt) {
    const BoxRun run = RunAboutBox(nullptr, [](HWND) {
        SetCursorPos(3, 3);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
    });
    EXPECT_EQ(run.result, 1);
    EXPECT_TRUE(run.captured);
    EXPECT_FALSE(run.stayedOpen);
}

TEST(AboutBoxTest, ClosesWhenAnotherWindowIsActivated) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    const BoxRun run = RunAboutBox(nullptr, [&](HWND) { SetActiveWindow(other); });
    EXPECT_EQ(run.result, 1);
    EXPECT_FALSE(run.stayedOpen);
    DestroyWindow(other);
}

TEST(AboutBoxTest, IsOwnedByTheSaverWindow) {
    SaverWindow = CreateWindowExW(0, L"STATIC", L"saver", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(SaverWindow, nullptr);
    const BoxRun run = RunAboutBox(nullptr, [](HWND box) { PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, 0); });
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.owner, SaverWindow);
    DestroyWindow(SaverWindow);
    SaverWindow = nullptr;
}

TEST(AboutBoxTest, AnswersColourQueriesWithWhite) {
    HWND box = CreateDialogParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_ABOUT), nullptr, AboutBoxProc, 0);
    ASSERT_NE(box, nullptr);
    HWND picture = GetWindow(box, GW_CHILD);
    ASSERT_NE(picture, nullptr);
    HDC dc = GetDC(box);
    for (const auto& [message, control] : {std::pair{WM_CTLCOLORDLG, box}, std::pair{WM_CTLCOLORSTATIC, picture}}) {
        SetBkColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        const LRESULT brush = SendMessageW(box, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(WHITE_BRUSH)) << message;
        EXPECT_EQ(GetBkColor(dc), White) << message;
        EXPECT_EQ(GetBkMode(dc), OPAQUE) << message;
    }
    ReleaseDC(box, dc);
    ReleaseCapture();
    DestroyWindow(box);
}

TEST(AboutBoxTest, SettingsDialogOpensItAndCarriesOn) {
    HWND dialog = CreateDialogParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    HWND box = nullptr;
    bool forced = false;
    TimerDriver driver([&](int tick) {
        if (!box && (box = FindThreadDialog(dialog)) != nullptr) {
            PostMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        } else if (tick >= GiveUpTick && box && IsWindow(box)) {
            forced = true;
            EndDialog(box, 0);
        }
        return tick < GiveUpTick;
    });
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), 0);
    EXPECT_NE(box, nullptr);
    EXPECT_FALSE(forced);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindowEnabled(dialog));
    DestroyWindow(dialog);
}

}  // namespace
