#include "display/display_window_proc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/process_state.h"
#include "display/display_surfaces.h"
#include "display/dim_in_plan.h"
#include "display/frame_clock.h"
#include "display/palette.h"
#include "display/scale_brightness.h"
#include "tests/display/display_test_support.h"

namespace {

constexpr int WindowWidth = 320;
constexpr int WindowHeight = 240;

class DisplayWindow : public testing::Test {
protected:
    void SetUp() override {
        UseDesktopHost();
        ASSERT_TRUE(StartDisplay(HostWindow));
        window_ = CreateDisplayWindow(WS_POPUP, WindowWidth, WindowHeight, nullptr);
        ASSERT_TRUE(window_);
    }
    void TearDown() override {
        if (IsWindow(window_)) DestroyWindow(window_);
        StopDisplay(nullptr);
    }
    HWND window_ = nullptr;
};

// Counts the paints that reach the display window on their way to its procedure.
WNDPROC DisplayProcedure = nullptr;
int PaintsReceived = 0;
LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++PaintsReceived;
    return CallWindowProcA(DisplayProcedure, window, message, wParam, lParam);
}

// The loop's clock: nothing happens while no frame is due, and frames that fell due
// together make one step and one repaint.
TEST_F(DisplayWindow, PumpFramesStepsAndRepaintsOncePerBatchOfDueFrames) {
    ShowWindow(window_, SW_SHOWNA);
    ASSERT_EQ(EraseWithOwnDc(window_), -1) << "the first erase starts the clock";
    ASSERT_TRUE(FrameClock.ClockRunning);
    DrainMessages();
    SaverWindow = window_;
    DisplayProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountPaints)));
    DimLevel = FullBrightnessLevel;
    PaintsReceived = 0;

    ResetFrameClock();
    PumpFrames();
    EXPECT_EQ(PaintsReceived, 0) << "no frame was due";
    EXPECT_EQ(DimLevel, FullBrightnessLevel) << "no step without a due frame";

    constexpr DWORD SeveralFramesMs = 120;
    Sleep(SeveralFramesMs);
    PumpFrames();
    EXPECT_EQ(PaintsReceived, 1);
    EXPECT_EQ(DimLevel, FullBrightnessLevel - 1) << "one step for the whole batch";
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DisplayProcedure));
}

TEST_F(DisplayWindow, EraseIsReportedDoneEveryTime) {
    for (int erase = 0; erase < 3; ++erase) EXPECT_EQ(EraseWithOwnDc(window_), -1) << "erase " << erase;
    EXPECT_EQ(SendMessageA(window_, WM_ERASEBKGND, 0, 0), -1);
}

TEST_F(DisplayWindow, PaintWithAGivenContextDrawsIntoItWithoutBeginPaint) {
    ShowWindow(window_, SW_SHOWNA);  // only a visible window collects an update region
    DrainMessages();
    ASSERT_FALSE(CapturePending) << "showing erased the background";
    ASSERT_TRUE(DimmedBits) << "the dimmed capture is what the dim-in paints";
    const size_t stride = static_cast<size_t>(RowStride(RenderWidth));
    std::memset(DimmedBits, 0, stride * RenderHeight);
    // A marker in the top-left pixel of the dimmed picture (rows run bottom-up).
    uint8_t* topLeft = DimmedBits + (RenderHeight - 1) * stride;
    topLeft[0] = 0x11;
    topLeft[1] = 0x22;
    topLeft[2] = 0x33;

    WindowDc screen(nullptr);
    UniqueMemoryDc target(CreateCompatibleDC(screen.get()));
    UniqueBitmap frame(CreateCompatibleBitmap(screen.get(), WindowWidth, WindowHeight));
    SelectionGuard selected(target.get(), frame.get());
    PatBlt(target.get(), 0, 0, WindowWidth, WindowHeight, WHITENESS);

    InvalidateRect(window_, nullptr, FALSE);
    EXPECT_EQ(SendMessageA(window_, WM_PAINT, reinterpret_cast<WPARAM>(target.get()), 0), 0);
    EXPECT_EQ(GetPixel(target.get(), 0, 0), RGB(0x33, 0x22, 0x11));
    EXPECT_EQ(GetPixel(target.get(), 5, 5), RGB(0, 0, 0));
    RECT update;
    EXPECT_TRUE(GetUpdateRect(window_, &update, FALSE)) << "BeginPaint would have validated the window";

    EXPECT_EQ(SendMessageA(window_, WM_PAINT, 0, 0), 0);
    EXPECT_FALSE(GetUpdateRect(window_, &update, FALSE)) << "a plain paint ends with EndPaint";
}

TEST_F(DisplayWindow, PaintWithoutASceneDrawsNothingButEndsThePaint) {
    StopDisplay(nullptr);
    InvalidateRect(window_, nullptr, FALSE);
    EXPECT_EQ(SendMessageA(window_, WM_PAINT, 0, 0), 0);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(window_, &update, FALSE));
}

TEST_F(DisplayWindow, NoPaletteOnATrueColourDisplay) {
    WindowDc dc(window_);
    ASSERT_GT(GetDeviceCaps(dc.get(), BITSPIXEL), 8) << "the test display is expected to be true colour";
    ASSERT_EQ(EraseWithOwnDc(window_), -1);
    EXPECT_FALSE(DisplayPalette);
    EXPECT_EQ(SendMessageA(window_, WM_QUERYNEWPALETTE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window_, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(GetDesktopWindow()), 0), 0);
    EXPECT_EQ(SendMessageA(window_, WM_PALETTEISCHANGING, reinterpret_cast<WPARAM>(window_), 0), 0);
}

TEST_F(DisplayWindow, CloseInAWindowedRunStopsTheDisplay) {
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(DisplayScene);
    EXPECT_FALSE(WorkDc || BackdropDc);
    EXPECT_FALSE(IsWindow(window_)) << "the default handling destroys the window";
}

// Plays the next procedure of the chain, the close policy: a close request approves closing.
LRESULT CALLBACK ApprovingClosePolicy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CLOSE) return DefWindowProcA(window, message, wParam, lParam);
    CloseApproved = 1;
    return 0;
}

TEST_F(DisplayWindow, FirstCloseOfAFullScreenRunLeavesTheDisplayRunning) {
    WindowedMode = 0;
    CloseApproved = 0;
    ChainDisplayWindowProc(ApprovingClosePolicy);
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(DisplayScene) << "closing was not yet approved when the message arrived";
    ASSERT_TRUE(CloseApproved) << "the close request went on to the next procedure";
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(DisplayScene);
    EXPECT_FALSE(WorkDc || BackdropDc);
}

// Waits on its own thread for this process's message box, reads its text and answers OK.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer() : thread_([this] { Answer(); }) {}
    ~MessageBoxAnswerer() { Join(); }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Waits until the box was answered or the wait gave up.
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    const std::wstring& Text() const { return text_; }
    bool Seen() const { return seen_; }

private:
    static constexpr int MessageTextId = 0xFFFF;  // the static text control of a message box
    static constexpr int PollMs = 20;
    static constexpr int PollLimit = 500;

    void Answer() {
        for (int poll = 0; poll < PollLimit; ++poll) {
            HWND box = FindWindowW(L"#32770", nullptr);
            DWORD owner = 0;
            if (box) GetWindowThreadProcessId(box, &owner);
            wchar_t text[128] = {};
            // The box may be found before its text control is filled in: wait for the text.
            if (box && owner == GetCurrentProcessId() &&
                GetDlgItemTextW(box, MessageTextId, text, static_cast<int>(std::size(text))) > 0) {
                text_ = text;
                seen_ = true;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(PollMs);
        }
    }

    std::wstring text_;
    std::atomic<bool> seen_ = false;
    std::thread thread_;
};

// The preview renders at 640 x 480 and shows the whole render shrunk into its window, with
// the brush origin at 0, 0 and halftone stretching on a true-colour screen, whatever the
// context it paints into had before.
TEST(DisplayPreview, ShowsTheWholeRenderShrunkIntoTheWindow) {
    constexpr int Width = 160, Height = 120;
    PatternWindow pattern(0, 0, Width, Height);
    UseDesktopHost();
    PreviewMode = 1;
    ASSERT_TRUE(StartDisplay(HostWindow));
    HWND window = CreateDisplayWindow(WS_POPUP, Width, Height, nullptr);
    ASSERT_TRUE(window);
    ASSERT_EQ(EraseWithOwnDc(window), -1);
    BITMAP render = {};
    GetObjectA(GetCurrentObject(PreviewDc.get(), OBJ_BITMAP), sizeof(render), &render);
    EXPECT_EQ(render.bmWidth, 640);
    EXPECT_EQ(render.bmHeight, 480);

    WindowDc screen(nullptr);
    // The context goes before its bitmap.
    struct Canvas {
        UniqueBitmap bitmap;
        UniqueMemoryDc dc;
    } shown, expected;
    for (Canvas* canvas : {&shown, &expected}) {
        canvas->dc.reset(CreateCompatibleDC(screen.get()));
        canvas->bitmap.reset(CreateCompatibleBitmap(screen.get(), Width, Height));
        SelectObject(canvas->dc.get(), canvas->bitmap.get());
    }
    SetBrushOrgEx(shown.dc.get(), 3, 5, nullptr);
    SetStretchBltMode(shown.dc.get(), BLACKONWHITE);
    EXPECT_EQ(SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(shown.dc.get()), 0), 0);
    POINT origin = {-1, -1};
    GetBrushOrgEx(shown.dc.get(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    EXPECT_EQ(GetStretchBltMode(shown.dc.get()), HALFTONE);

    SetStretchBltMode(expected.dc.get(), HALFTONE);
    SetBrushOrgEx(expected.dc.get(), 0, 0, nullptr);
    StretchBlt(expected.dc.get(), 0, 0, Width, Height, PreviewDc.get(), 0, 0, render.bmWidth, render.bmHeight, SRCCOPY);
    EXPECT_EQ(ReadPixels(shown.dc.get(), Width, Height), ReadPixels(expected.dc.get(), Width, Height));
    screen.release();
    DestroyWindow(window);
    StopDisplay(nullptr);
}

TEST(DisplayWindowCreation, FailedAttachShowsTheMessageStopsAndQuitsWithMinusOne) {
    UseDesktopHost();  // no StartDisplay: there is no scene to attach
    MessageBoxAnswerer answerer;
    HWND window = CreateDisplayWindow(WS_POPUP, WindowWidth, WindowHeight, nullptr);
    answerer.Join();
    ASSERT_TRUE(answerer.Seen()) << "no message box appeared";
    EXPECT_EQ(answerer.Text(), L"初期化に失敗しました");
    EXPECT_TRUE(window) << "the window creation itself completes";

    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(static_cast<int>(message.wParam), -1);
        }
    }
    EXPECT_TRUE(quit) << "the loop is told to end";
    EXPECT_FALSE(DisplayScene || WorkDc || BackdropDc);
    if (window) DestroyWindow(window);
}

}  // namespace
