#include <gtest/gtest.h>

#include "common/process_state.h"
#include "resources/resource_ids.h"
#include "settings/saver_settings.h"
#include "settings/settings_dialog.h"
#include "tests/settings/settings_test_support.h"

#include <vector>

namespace {

constexpr int DragPixels = 24;
constexpr int DragSteps = 6;
constexpr DWORD SettleMs = 800;
constexpr int AbsoluteScale = 65535;

struct TrackSeen {
    int trackPosition;
    uint32_t wait;
    UINT shownSeconds;
};

HWND Dialog = nullptr;
HHOOK Hook = nullptr;
std::vector<TrackSeen> Seen;

// Notes, after the dialog has handled each drag notification, what it made of it.
LRESULT CALLBACK AfterDialogMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == Dialog && message->message == WM_HSCROLL &&
        LOWORD(message->wParam) == SB_THUMBTRACK) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(reinterpret_cast<HWND>(message->lParam), SB_CTL, &info);
        Seen.push_back({info.nTrackPos, SaverSettings.Wait, GetDlgItemInt(Dialog, IDC_HOLD_NUMBER, nullptr, FALSE)});
    }
    return CallNextHookEx(Hook, code, wParam, lParam);
}

INPUT MouseAt(POINT point, DWORD buttons) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = point.x * AbsoluteScale / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = point.y * AbsoluteScale / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    return input;
}

using SettingsDialogDragTest = SettingsKeyTest;

// A real drag of the hold-time thumb with the mouse: while it moves, Wait follows the
// platform's track position and the number beside the bar shows it; OK stores where it
// was let go.
TEST_F(SettingsDialogDragTest, DraggingTheHoldThumbSetsWaitWhileDragging) {
    Dialog = CreateDialogParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
    ASSERT_NE(Dialog, nullptr);
    ShowWindow(Dialog, SW_SHOW);
    SetForegroundWindow(Dialog);
    UpdateWindow(Dialog);
    PumpMessages(Dialog);
    HWND bar = GetDlgItem(Dialog, IDC_HOLD_BAR);
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetScrollBarInfo(bar, OBJID_CLIENT, &info));
    const POINT grip{info.rcScrollBar.left + (info.xyThumbTop + info.xyThumbBottom) / 2,
                     (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2};

    Hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterDialogMessage, nullptr, GetCurrentThreadId());
    std::vector<INPUT> inputs{MouseAt(grip, 0), MouseAt(grip, MOUSEEVENTF_LEFTDOWN)};
    for (int step = 1; step <= DragSteps; ++step) {
        inputs.push_back(MouseAt({grip.x + DragPixels * step / DragSteps, grip.y}, 0));
    }
    inputs.push_back(MouseAt({grip.x + DragPixels, grip.y}, MOUSEEVENTF_LEFTUP));
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < SettleMs) {
        PumpMessages(Dialog);
        Sleep(10);
    }
    UnhookWindowsHookEx(Hook);

    ASSERT_FALSE(Seen.empty());
    for (const TrackSeen& seen : Seen) {
        EXPECT_EQ(seen.wait, static_cast<uint32_t>(seen.trackPosition) * FramesPerSecond);
        EXPECT_EQ(static_cast<int>(seen.shownSeconds), seen.trackPosition);
    }
    const int released = Seen.back().trackPosition;
    EXPECT_GT(released, 10);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), released);
    SendMessageW(Dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(ReadStoredDword("Wait"), static_cast<uint32_t>(released) * FramesPerSecond);
    DestroyWindow(Dialog);
}

}  // namespace
