// The close policy in the test process: real windows, real messages and the real cursor,
// with the verifier played by functions of this file.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "display/display_window_proc.h"
#include "host/close_policy.h"
#include "host/password_providers.h"

namespace {

constexpr char PolicyClassName[] = "HostClosePolicyTestWindow";
constexpr char RecorderClassName[] = "HostRecorderTestWindow";
constexpr POINT CursorBase = {400, 300};

// Messages that reached a recorder window, with their parameters.
struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    HELPINFO help;
};
std::vector<ReceivedMessage> Received;

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == WM_HELP || message == WM_CONTEXTMENU) {
        ReceivedMessage received = {message, wParam, lParam, {}};
        if (message == WM_HELP && lParam) received.help = *reinterpret_cast<const HELPINFO*>(lParam);
        Received.push_back(received);
        return message == WM_HELP ? TRUE : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTestClass(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

// Hands the close policy what the saver's chain would: the close and password messages.
// Activation and mouse traffic that the platform itself sends to the test window are kept
// away from it, so that only the input each test gives counts.
LRESULT CALLBACK PolicyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == PasswordMessage || message == WM_KEYDOWN ||
        message == WM_SYSKEYDOWN || message == WM_SETCURSOR) {
        return ClosePolicyProc(window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A visible top-level window whose procedure leads to the close policy, as at the end of
// the saver's chain.
HWND CreatePolicyWindow() {
    RegisterTestClass(PolicyClassName, PolicyWindowProc);
    HWND window = CreateWindowExA(0, PolicyClassName, "policy", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNA);
    return window;
}

HWND CreateRecorderWindow(DWORD style, HWND parent) {
    RegisterTestClass(RecorderClassName, RecorderProc);
    return CreateWindowExA(0, RecorderClassName, "recorder", style, 0, 0, 200, 150, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Takes one queued close request for the window off the queue, if there is one.
bool TakeCloseRequest(HWND window) {
    MSG message;
    return PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
}

void DispatchPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Puts the cursor at the base and makes that the saver's origin.
void PlaceCursorAtOrigin() {
    ASSERT_TRUE(SetCursorPos(CursorBase.x, CursorBase.y));
    ASSERT_TRUE(GetCursorPos(&CursorOrigin));
    ASSERT_EQ(CursorOrigin.x, CursorBase.x);
    ASSERT_EQ(CursorOrigin.y, CursorBase.y);
}

void MoveCursorBy(int dx, int dy) { SetCursorPos(CursorBase.x + dx, CursorBase.y + dy); }

struct InputCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    int dx, dy;
    bool closes;
};

const InputCase InputCases[] = {
    {"key", WM_KEYDOWN, VK_SPACE, 0, 0, true},
    {"system key", WM_SYSKEYDOWN, VK_MENU, 0, 0, true},
    {"left button", WM_LBUTTONDOWN, 0, 0, 0, true},
    {"right button", WM_RBUTTONDOWN, 0, 0, 0, true},
    {"middle button", WM_MBUTTONDOWN, 0, 0, 0, true},
    {"button release", WM_LBUTTONUP, 0, 0, 0, false},
    {"move 9", WM_MOUSEMOVE, 0, 5, 4, false},
    {"move 10", WM_MOUSEMOVE, 0, 10, 0, true},
    {"move 5 and 5", WM_MOUSEMOVE, 0, 5, 5, true},
    {"move back 10", WM_MOUSEMOVE, 0, -6, -4, true},
    {"deactivate near origin", WM_ACTIVATE, 0, 4, 5, false},
    {"deactivate after moving", WM_ACTIVATE, 0, 0, 10, true},
    {"app deactivated after moving", WM_ACTIVATEAPP, 0, 7, 3, true},
    {"caption deactivated after moving", WM_NCACTIVATE, 0, 10, 10, true},
    {"activate after moving", WM_ACTIVATE, WA_ACTIVE, 20, 20, false},
    {"app activated after moving", WM_ACTIVATEAPP, TRUE, 20, 20, false},
};

// Names the case in test listings.
void PrintTo(const InputCase& c, std::ostream* out) {
    for (const char* letter = c.name; *letter; ++letter) *out << (*letter == ' ' ? '_' : *letter);
}

class InputTest : public testing::TestWithParam<InputCase> {};

TEST_P(InputTest, FullScreenSaverClosesOnInputThatCounts) {
    const InputCase& c = GetParam();
    HWND window = CreatePolicyWindow();
    PlaceCursorAtOrigin();
    MoveCursorBy(c.dx, c.dy);
    // The message's own coordinates point far away; only the cursor position counts.
    ClosePolicyProc(window, c.message, c.wParam, MAKELPARAM(1000, 1000));
    EXPECT_EQ(TakeCloseRequest(window), c.closes) << c.name;
    DestroyWindow(window);
}

TEST_P(InputTest, WindowedAndPreviewSaversIgnoreInput) {
    const InputCase& c = GetParam();
    HWND window = CreatePolicyWindow();
    PlaceCursorAtOrigin();
    MoveCursorBy(c.dx, c.dy);
    WindowedMode = 1;
    ClosePolicyProc(window, c.message, c.wParam, 0);
    EXPECT_FALSE(TakeCloseRequest(window)) << c.name << " windowed";
    PreviewMode = 1;
    ClosePolicyProc(window, c.message, c.wParam, 0);
    EXPECT_FALSE(TakeCloseRequest(window)) << c.name << " preview";
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Messages, InputTest, testing::ValuesIn(InputCases),
                         [](const testing::TestParamInfo<InputCase>& info) { return std::to_string(info.index); });

TEST(ClosePolicy, SmallMovementsAddUpFromTheOrigin) {
    HWND window = CreatePolicyWindow();
    PlaceCursorAtOrigin();
    MoveCursorBy(6, 0);
    ClosePolicyProc(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(TakeCloseRequest(window));
    MoveCursorBy(12, 0);
    ClosePolicyProc(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(TakeCloseRequest(window));
    DestroyWindow(window);
}

TEST(ClosePolicy, WithoutVerifierFirstCloseHidesAndSecondDestroys) {
    HWND window = CreatePolicyWindow();
    EXPECT_EQ(ClosePolicyProc(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(CloseApproved, 1);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(TakeCloseRequest(window));
    ClosePolicyProc(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Destroying, 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST(ClosePolicy, ApprovedCloseOfVisibleWindowHidesAndAsksAgain) {
    HWND window = CreatePolicyWindow();
    CloseApproved = 1;
    HandleCloseRequest(window);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(Destroying, 0);
    EXPECT_TRUE(TakeCloseRequest(window));
    HandleCloseRequest(window);
    EXPECT_FALSE(IsWindow(window));
}

TEST(ClosePolicy, CloseIgnoredWhileVerifyingOrDestroying) {
    HWND window = CreatePolicyWindow();
    VerifyingPassword = 1;
    HandleCloseRequest(window);
    EXPECT_EQ(CloseApproved, 0);
    EXPECT_TRUE(IsWindowVisible(window));
    ClosePolicyProc(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(TakeCloseRequest(window));
    VerifyingPassword = 0;
    Destroying = 1;
    CloseApproved = 1;
    HandleCloseRequest(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(TakeCloseRequest(window));
    DestroyWindow(window);
}

TEST(ClosePolicy, WindowedCloseDestroysAtOnce) {
    HWND window = CreatePolicyWindow();
    WindowedMode = 1;
    ClosePolicyProc(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(CloseApproved, 0);
}

// The verifier of these tests: answers as told and plays the user during its dialog.
struct VerifierScript {
    BOOL answer = FALSE;
    int calls = 0;
    int verifyingSeen = 0;
    POINT moveCursorTo = CursorBase;
    bool pressKey = false;
};
VerifierScript Script;

BOOL WINAPI ScriptedVerifier(HWND window) {
    ++Script.calls;
    Script.verifyingSeen = VerifyingPassword;
    SetCursorPos(Script.moveCursorTo.x, Script.moveCursorTo.y);
    if (Script.pressKey) {
        SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
        ClosePolicyProc(window, WM_LBUTTONDOWN, 0, 0);
        ClosePolicyProc(window, WM_CLOSE, 0, 0);
    }
    return Script.answer;
}

TEST(ClosePolicy, RefusedPasswordKeepsSaverAndRenewsOrigin) {
    Script = {};
    HWND window = CreatePolicyWindow();
    PlaceCursorAtOrigin();
    PasswordVerifier = ScriptedVerifier;
    Script.answer = FALSE;
    Script.pressKey = true;
    Script.moveCursorTo = {CursorBase.x + 40, CursorBase.y + 30};
    ClosePolicyProc(window, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(TakeCloseRequest(window));
    ClosePolicyProc(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Script.calls, 1);
    EXPECT_EQ(Script.verifyingSeen, 1);
    EXPECT_EQ(VerifyingPassword, 0);
    EXPECT_EQ(CloseApproved, 0);
    EXPECT_TRUE(IsWindowVisible(window));
    // Input made while the dialog was up posted nothing.
    EXPECT_FALSE(TakeCloseRequest(window));
    EXPECT_EQ(CursorOrigin.x, Script.moveCursorTo.x);
    EXPECT_EQ(CursorOrigin.y, Script.moveCursorTo.y);
    // The movement during the dialog no longer counts.
    ClosePolicyProc(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(TakeCloseRequest(window));
    DestroyWindow(window);
}

TEST(ClosePolicy, AcceptedPasswordHidesAndRequestsDestruction) {
    Script = {};
    HWND window = CreatePolicyWindow();
    PasswordVerifier = ScriptedVerifier;
    Script.answer = TRUE;
    ClosePolicyProc(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Script.calls, 1);
    EXPECT_EQ(CloseApproved, 1);
    EXPECT_FALSE(IsWindowVisible(window));
    ASSERT_TRUE(TakeCloseRequest(window));
    ClosePolicyProc(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Script.calls, 1);
    EXPECT_FALSE(IsWindow(window));
}

BOOL WINAPI AnswersSeven(HWND) { return 7; }

TEST(ClosePolicy, PasswordMessageAnswersWithVerifierResult) {
    HWND window = CreatePolicyWindow();
    EXPECT_EQ(SendMessageA(window, PasswordMessage, 0, 0), 1);
    PasswordVerifier = AnswersSeven;
    EXPECT_EQ(SendMessageA(window, PasswordMessage, 0, 0), 7);
    DestroyWindow(window);
}

TEST(ClosePolicy, CursorMessageHidesCursorUnlessVerifying) {
    HWND window = CreatePolicyWindow();
    const LPARAM clientHit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    EXPECT_EQ(ClosePolicyProc(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), clientHit), 1);
    VerifyingPassword = 1;
    // The default handling of a class without a cursor leaves the decision to others.
    EXPECT_EQ(ClosePolicyProc(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), clientHit), 0);
    VerifyingPassword = 0;
    DestroyWindow(window);
}

struct SystemCommandCase {
    WPARAM command;
    bool swallowedFullScreen;
};

const SystemCommandCase SystemCommandCases[] = {
    {SC_CLOSE, true},
    {SC_NEXTWINDOW, true},
    {SC_PREVWINDOW, true},
    {SC_SCREENSAVE, true},
    // Only the exact values are swallowed; the default handling masks the low bits.
    {SC_CLOSE | 0x2, false},
};

TEST(SaverClassProc, SwallowsSystemCommandsOnlyInFullScreen) {
    HWND window = CreateRecorderWindow(WS_POPUP, nullptr);
    for (const SystemCommandCase& c : SystemCommandCases) {
        for (int windowed = 0; windowed <= 1; ++windowed) {
            WindowedMode = windowed;
            Received.clear();
            const LRESULT result = SaverClassProc(window, WM_SYSCOMMAND, c.command, 0);
            const bool swallowed = c.swallowedFullScreen && !windowed;
            if (swallowed) {
                EXPECT_EQ(result, 0);
            }
            // Close commands that reach the default handling come back as a close message.
            const bool isClose = (c.command & 0xFFF0) == SC_CLOSE;
            if (isClose) {
                EXPECT_EQ(Received.size(), swallowed ? 0u : 1u) << std::hex << c.command << " windowed " << windowed;
            }
        }
    }
    DestroyWindow(window);
}

TEST(SaverClassProc, RefusesEveryPowerRequestInFullScreen) {
    HWND window = CreateRecorderWindow(WS_POPUP, nullptr);
    for (WPARAM event : {WPARAM(PBT_APMQUERYSUSPEND), WPARAM(PBT_APMSUSPEND), WPARAM(PBT_APMRESUMESUSPEND), WPARAM(0)}) {
        WindowedMode = 0;
        EXPECT_EQ(SaverClassProc(window, WM_POWERBROADCAST, event, 0), BROADCAST_QUERY_DENY) << event;
        WindowedMode = 1;
        EXPECT_NE(SaverClassProc(window, WM_POWERBROADCAST, event, 0), BROADCAST_QUERY_DENY) << event;
    }
    DestroyWindow(window);
}

TEST(SaverClassProc, PreviewSendsHelpToHostWhileRecordIsValid) {
    Received.clear();
    HWND host = CreateRecorderWindow(WS_OVERLAPPEDWINDOW, nullptr);
    HWND preview = CreateRecorderWindow(WS_CHILD, host);
    PreviewMode = 1;
    WindowedMode = 1;
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = 1234;
    help.MousePos = {17, 23};
    EXPECT_EQ(SaverClassProc(preview, WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), 1);
    // Received before returning, without a message loop in between.
    ASSERT_EQ(Received.size(), 1u);
    EXPECT_EQ(Received[0].message, static_cast<UINT>(WM_HELP));
    EXPECT_EQ(Received[0].wParam, reinterpret_cast<WPARAM>(host));
    EXPECT_EQ(Received[0].help.iCtrlId, 1234);
    EXPECT_EQ(Received[0].help.MousePos.x, 17);
    EXPECT_EQ(Received[0].help.MousePos.y, 23);
    DestroyWindow(host);
}

TEST(SaverClassProc, PreviewPostsContextMenuToHost) {
    Received.clear();
    HWND host = CreateRecorderWindow(WS_OVERLAPPEDWINDOW, nullptr);
    HWND preview = CreateRecorderWindow(WS_CHILD, host);
    PreviewMode = 1;
    WindowedMode = 1;
    const LPARAM position = MAKELPARAM(31, 47);
    EXPECT_EQ(SaverClassProc(preview, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(preview), position), 1);
    DispatchPending();
    ASSERT_EQ(Received.size(), 1u);
    EXPECT_EQ(Received[0].message, static_cast<UINT>(WM_CONTEXTMENU));
    EXPECT_EQ(Received[0].wParam, reinterpret_cast<WPARAM>(host));
    EXPECT_EQ(Received[0].lParam, position);
    DestroyWindow(host);
}

TEST(SaverClassProc, DestructionRestoresCursorAndQuitsWithZero) {
    HWND window = CreateRecorderWindow(WS_POPUP, nullptr);
    while (ShowCursor(FALSE) >= -3) {
    }
    SaverClassProc(window, WM_DESTROY, 0, 0);
    // The count is back at 0: one more hide takes it to -1.
    EXPECT_EQ(ShowCursor(FALSE), -1);
    ShowCursor(TRUE);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
    DestroyWindow(window);
}

TEST(SaverClassProc, WindowedDestructionLeavesCursorAlone) {
    HWND window = CreateRecorderWindow(WS_POPUP, nullptr);
    WindowedMode = 1;
    ShowCursor(FALSE);
    const int hidden = ShowCursor(FALSE);
    SaverClassProc(window, WM_DESTROY, 0, 0);
    EXPECT_EQ(ShowCursor(FALSE), hidden - 1);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    DestroyWindow(window);
}

// Stands in for the display's procedure: counts what gets past the filter.
int DisplayCalls = 0;
LRESULT CALLBACK FailsEveryMessage(HWND, UINT, WPARAM, LPARAM) {
    ++DisplayCalls;
    return -7;
}

struct FilterCase {
    const char* name;
    int windowed, closeApproved, destroying;
    UINT message;
    bool closes;
};

// Input travels the whole chain; once closing has begun it stops at the default handling.
const FilterCase FilterCases[] = {
    {"running key", 0, 0, 0, WM_KEYDOWN, true},
    {"running button", 0, 0, 0, WM_RBUTTONDOWN, true},
    {"approved key", 0, 1, 0, WM_KEYDOWN, false},
    {"approved button", 0, 1, 0, WM_LBUTTONDOWN, false},
    {"destroying system key", 0, 1, 1, WM_SYSKEYDOWN, false},
    {"windowed key", 1, 0, 0, WM_KEYDOWN, false},
    {"windowed button", 1, 0, 0, WM_MBUTTONDOWN, false},
};

TEST(SaverClassProc, FiltersInputOnceClosingHasBegun) {
    HWND window = CreatePolicyWindow();
    ChainDisplayWindowProc(ClosePolicyProc);
    for (const FilterCase& c : FilterCases) {
        WindowedMode = c.windowed;
        CloseApproved = c.closeApproved;
        Destroying = c.destroying;
        SaverClassProc(window, c.message, 0, 0);
        EXPECT_EQ(TakeCloseRequest(window), c.closes) << c.name;
    }
    DestroyWindow(window);
}

// Once closing has begun, timers are answered here and painting is left to the default
// handling. The display would draw into a context given with the paint and leave the
// window invalid; the default handling ignores it and validates the window.
TEST(SaverClassProc, ClosingAnswersTimersAndLeavesPaintToTheDefault) {
    HWND window = CreatePolicyWindow();
    ChainDisplayWindowProc(FailsEveryMessage);
    UniqueMemoryDc givenDc(CreateCompatibleDC(nullptr));
    for (int destroying = 0; destroying <= 1; ++destroying) {
        CloseApproved = 1;
        Destroying = destroying;
        EXPECT_EQ(SaverClassProc(window, WM_TIMER, 1, 0), 0) << "destroying " << destroying;
        InvalidateRect(window, nullptr, FALSE);
        EXPECT_EQ(SaverClassProc(window, WM_PAINT, reinterpret_cast<WPARAM>(givenDc.get()), 0), 0);
        RECT update;
        EXPECT_FALSE(GetUpdateRect(window, &update, FALSE)) << "destroying " << destroying;
    }
    EXPECT_EQ(DisplayCalls, 0) << "nothing reached the display";
    DestroyWindow(window);
}

}  // namespace
