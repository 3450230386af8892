// End-to-end runs of the product: each test starts slide.scr processes, finds their
// windows, plays the user and the shell, and checks styles, sizes and exit codes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/host/long_tail.h"
#include "tests/host/saver_process.h"

namespace {

constexpr POINT CursorBase = {400, 300};
constexpr char HostClassName[] = "HostPreviewTestHost";
constexpr int HostClientWidth = 152;
constexpr int HostClientHeight = 112;
constexpr DWORD StyleMask = WS_POPUP | WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

// What the preview host window received from its preview.
struct HostLog {
    int helpCount = 0;
    WPARAM helpWParam = 0;
    HELPINFO help = {};
    int contextCount = 0;
    WPARAM contextWParam = 0;
    LPARAM contextLParam = 0;
};
HostLog Log;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP) {
        ++Log.helpCount;
        Log.helpWParam = wParam;
        if (lParam) Log.help = *reinterpret_cast<const HELPINFO*>(lParam);
        return TRUE;
    }
    if (message == WM_CONTEXTMENU) {
        ++Log.contextCount;
        Log.contextWParam = wParam;
        Log.contextLParam = lParam;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A captioned top-level window like the shell's preview monitor, with a given client size.
HWND CreateHostWindow(int x, int y) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = HostClassName;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, HostClientWidth, HostClientHeight};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND host = CreateWindowExA(0, HostClassName, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    return host;
}

// The style bits that tell the three kinds of saver window apart.
DWORD WindowStyle(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & StyleMask; }

std::string HandleArgument(HWND window) { return std::to_string(reinterpret_cast<UINT_PTR>(window)); }

// Starts a saver with the cursor at the base and waits for its window.
struct RunningSaver {
    std::unique_ptr<SaverProcess> process;
    HWND window = nullptr;
};

RunningSaver StartSaver(const std::string& arguments, HWND host = nullptr) {
    if (!host) PlaceCursor(CursorBase);
    RunningSaver saver;
    saver.process = std::make_unique<SaverProcess>(SaverPath(), arguments);
    saver.window = saver.process->FindSaverWindow(host, StartTimeoutMs);
    if (!WaitUntilLooping(saver.window, StartTimeoutMs)) saver.window = nullptr;
    return saver;
}

// True when the saver is still running after being watched for a while.
bool StaysRunning(SaverProcess& process) { return !process.WaitExit(StayTimeMs).has_value(); }

void PostToSaver(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    PostMessageA(window, message, wParam, lParam);
}

// Places the cursor at CursorBase plus (dx, dy) and, once the pointer is seen there, posts
// message to the saver once: a first movement the saver ignored is not made up for later.
void MoveCursorAndTell(HWND window, int dx, int dy, UINT message = WM_MOUSEMOVE, WPARAM wParam = 0) {
    ASSERT_TRUE(PlaceCursor({CursorBase.x + dx, CursorBase.y + dy}));
    PostToSaver(window, message, wParam);
}

struct QuickExitCase {
    const char* name;
    std::string arguments;
};

// The platform passes at most 32 767 characters of command line, the program path included.
constexpr std::size_t LongestPassedTail = 32000;

const QuickExitCase QuickExitCases[] = {
    {"unknown letter", "/x"},
    {"digit", "/1"},
    {"preview of window 0", "/p 0"},
    {"preview with colon", "/p:1234"},
    {"password change", "/a"},
    {"password change with parent", "/a 1234"},
    {LongTailCases[0].name, LongTail(LongTailCases[0], LongestPassedTail)},
    {LongTailCases[1].name, LongTail(LongTailCases[1], LongestPassedTail)},
    {LongTailCases[2].name, LongTail(LongTailCases[2], LongestPassedTail)},
    {LongTailCases[3].name, LongTail(LongTailCases[3], LongestPassedTail)},
};

class QuickExitTest : public testing::TestWithParam<QuickExitCase> {};

TEST_P(QuickExitTest, EndsAtOnceWithZero) {
    SaverProcess saver(SaverPath(), GetParam().arguments);
    ASSERT_TRUE(saver.Started());
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), std::optional<long>(0)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Switches, QuickExitTest, testing::ValuesIn(QuickExitCases),
                         [](const testing::TestParamInfo<QuickExitCase>& info) { return std::to_string(info.index); });

// The visible dialog of the settings class whose owner is `owner` (none: no owner) and
// that runs in another process than this one.
HWND FindSettingsDialog(HWND owner, DWORD timeoutMs) {
    struct Search {
        HWND owner;
        HWND found;
    } search = {owner, nullptr};
    WaitFor(
        [&search] {
            EnumWindows(
                [](HWND window, LPARAM state) {
                    auto* s = reinterpret_cast<Search*>(state);
                    char className[16] = {};
                    GetClassNameA(window, className, sizeof(className));
                    DWORD process = 0;
                    GetWindowThreadProcessId(window, &process);
                    if (process == GetCurrentProcessId() || GetWindow(window, GW_OWNER) != s->owner ||
                        lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) {
                        return TRUE;
                    }
                    s->found = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

// /c opens the settings dialog over the foreground window, an empty tail without an owner;
// either way the dialog's end code becomes the exit code.
TEST(Settings, DialogOwnerAndExitCodeEndToEnd) {
    constexpr long DialogEndCode = 1;
    for (const bool configureSwitch : {true, false}) {
        HWND foreground = CreateHostWindow(40, 40);
        SetForegroundWindow(foreground);
        PumpMessages();
        ASSERT_EQ(GetForegroundWindow(), foreground);
        const char* arguments = configureSwitch ? "/c" : "";
        SaverProcess saver(SaverPath(), arguments);
        HWND dialog = FindSettingsDialog(configureSwitch ? foreground : nullptr, StartTimeoutMs);
        ASSERT_TRUE(dialog) << "arguments '" << arguments << "'";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), std::optional<long>(DialogEndCode)) << "arguments '" << arguments << "'";
        DestroyWindow(foreground);
    }
}

TEST(FullScreen, TopmostPopupOfScreenSizeWithHiddenCursor) {
    RunningSaver saver = StartSaver("/s");
    ASSERT_TRUE(saver.window);
    EXPECT_EQ(WindowStyle(saver.window), static_cast<DWORD>(WS_POPUP));
    EXPECT_TRUE(GetWindowLongA(saver.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect = {};
    GetWindowRect(saver.window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    char title[32] = {};
    GetWindowTextA(saver.window, title, sizeof(title));
    EXPECT_STREQ(title, "Screen Saver");
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof(cursor);
    ASSERT_TRUE(GetCursorInfo(&cursor));
    EXPECT_EQ(cursor.flags & CURSOR_SHOWING, 0u);
    PostToSaver(saver.window, WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

TEST(FullScreen, MovementOfNineKeepsItAndTenEndsIt) {
    RunningSaver saver = StartSaver("/s");
    ASSERT_TRUE(saver.window);
    MoveCursorAndTell(saver.window, 5, 4);
    EXPECT_TRUE(StaysRunning(*saver.process));
    MoveCursorAndTell(saver.window, 5, 5);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

TEST(FullScreen, DeactivationEndsItOnlyAfterMovement) {
    RunningSaver saver = StartSaver("/s");
    ASSERT_TRUE(saver.window);
    MoveCursorAndTell(saver.window, 3, 3, WM_ACTIVATEAPP, FALSE);
    EXPECT_TRUE(StaysRunning(*saver.process));
    MoveCursorAndTell(saver.window, -10, 0, WM_ACTIVATEAPP, FALSE);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

TEST(FullScreen, SystemCommandsAreSwallowed) {
    RunningSaver saver = StartSaver("/s");
    ASSERT_TRUE(saver.window);
    for (WPARAM command : {WPARAM(SC_CLOSE), WPARAM(SC_NEXTWINDOW), WPARAM(SC_PREVWINDOW), WPARAM(SC_SCREENSAVE)}) {
        PostToSaver(saver.window, WM_SYSCOMMAND, command);
    }
    EXPECT_TRUE(StaysRunning(*saver.process));
    EXPECT_TRUE(IsWindowVisible(saver.window));
    PostToSaver(saver.window, WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

TEST(FullScreen, PowerRequestsAreRefused) {
    RunningSaver saver = StartSaver("/s");
    ASSERT_TRUE(saver.window);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(saver.window, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0, SMTO_ABORTIFHUNG,
                                    ExitTimeoutMs, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(BROADCAST_QUERY_DENY));
    PostToSaver(saver.window, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
    EXPECT_FALSE(IsWindow(saver.window));
}

TEST(FullScreen, SecondSaverEndsAtOnceWhileFirstRuns) {
    RunningSaver first = StartSaver("/s");
    ASSERT_TRUE(first.window);
    for (const char* arguments : {"/s", "/w"}) {
        SaverProcess second(SaverPath(), arguments);
        EXPECT_EQ(second.WaitExit(ExitTimeoutMs), std::optional<long>(0)) << arguments;
    }
    EXPECT_TRUE(first.process->Running());
    EXPECT_TRUE(IsWindowVisible(first.window));
    PostToSaver(first.window, WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(first.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
    // With the first gone, a new saver may run again.
    RunningSaver third = StartSaver("/s");
    EXPECT_TRUE(third.window);
}

TEST(Windowed, CaptionedResizableWindowThatInputDoesNotClose) {
    RunningSaver saver = StartSaver("/w");
    ASSERT_TRUE(saver.window);
    EXPECT_EQ(WindowStyle(saver.window), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
    EXPECT_FALSE(GetWindowLongA(saver.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect = {};
    GetWindowRect(saver.window, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    PostToSaver(saver.window, WM_KEYDOWN, VK_SPACE);
    PostToSaver(saver.window, WM_LBUTTONDOWN, MK_LBUTTON);
    MoveCursorAndTell(saver.window, 60, 60);
    EXPECT_TRUE(StaysRunning(*saver.process));
    // What the caption's close box sends.
    PostToSaver(saver.window, WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

TEST(Preview, ChildCoveringHostClientAreaThatInputDoesNotClose) {
    HWND host = CreateHostWindow(100, 100);
    ASSERT_TRUE(host);
    RunningSaver saver = StartSaver("/p " + HandleArgument(host), host);
    ASSERT_TRUE(saver.window);
    EXPECT_EQ(GetParent(saver.window), host);
    EXPECT_EQ(WindowStyle(saver.window), static_cast<DWORD>(WS_CHILD));
    RECT client = {};
    GetClientRect(saver.window, &client);
    EXPECT_EQ(client.right, HostClientWidth);
    EXPECT_EQ(client.bottom, HostClientHeight);
    POINT topLeft = {0, 0};
    MapWindowPoints(saver.window, host, &topLeft, 1);
    EXPECT_EQ(topLeft.x, 0);
    EXPECT_EQ(topLeft.y, 0);
    PostToSaver(saver.window, WM_KEYDOWN, VK_SPACE);
    PostToSaver(saver.window, WM_RBUTTONDOWN, MK_RBUTTON);
    MoveCursorAndTell(saver.window, 60, 60);
    EXPECT_TRUE(StaysRunning(*saver.process));
    DestroyWindow(host);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

TEST(Preview, HelpAndContextMenuReachTheHost) {
    HWND host = CreateHostWindow(100, 100);
    RunningSaver saver = StartSaver("/p " + HandleArgument(host), host);
    ASSERT_TRUE(saver.window);
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = 4321;
    help.MousePos = {61, 73};
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(saver.window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help), SMTO_NORMAL,
                                    ExitTimeoutMs, &answer));
    EXPECT_EQ(answer, 1u);
    EXPECT_EQ(Log.helpCount, 1);
    EXPECT_EQ(Log.helpWParam, reinterpret_cast<WPARAM>(host));
    EXPECT_EQ(Log.help.iCtrlId, 4321);
    EXPECT_EQ(Log.help.MousePos.x, 61);
    EXPECT_EQ(Log.help.MousePos.y, 73);
    const LPARAM position = MAKELPARAM(150, 160);
    PostToSaver(saver.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(saver.window), position);
    EXPECT_TRUE(WaitFor([] { return Log.contextCount == 1; }, ExitTimeoutMs));
    EXPECT_EQ(Log.contextWParam, reinterpret_cast<WPARAM>(host));
    EXPECT_EQ(Log.contextLParam, position);
    DestroyWindow(host);
    EXPECT_EQ(saver.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

TEST(Preview, SeveralPreviewsRunBesideOneFullScreenSaver) {
    RunningSaver full = StartSaver("/s");
    ASSERT_TRUE(full.window);
    HWND firstHost = CreateHostWindow(100, 100);
    HWND secondHost = CreateHostWindow(400, 100);
    RunningSaver first = StartSaver("/p " + HandleArgument(firstHost), firstHost);
    RunningSaver second = StartSaver("/p " + HandleArgument(secondHost), secondHost);
    EXPECT_TRUE(first.window);
    EXPECT_TRUE(second.window);
    EXPECT_TRUE(full.process->Running());
    DestroyWindow(firstHost);
    EXPECT_EQ(first.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
    EXPECT_TRUE(second.process->Running());
    DestroyWindow(secondHost);
    EXPECT_EQ(second.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
    PostToSaver(full.window, WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(full.process->WaitExit(ExitTimeoutMs), std::optional<long>(0));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == RunningFlagProbeArgument) return ScreenSaverRunningFlagHere() ? 1 : 0;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
