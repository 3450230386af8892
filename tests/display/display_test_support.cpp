#include "tests/display/display_test_support.h"

#include "common/process_state.h"
#include "display/display_state.h"
#include "display/display_window_proc.h"
#include "common/unique_handle.h"
#include "display/scale_brightness.h"
#include "images/pixel_section.h"
#include "slideshow/slideshow_scene.h"

namespace {

constexpr const char* PatternClass = "DisplayTestPattern";
constexpr const char* DisplayClass = "DisplayTestSaver";
constexpr int BandWidth = 100;
constexpr COLORREF BandColours[] = {RGB(255, 255, 255), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                    RGB(201, 77, 13),   RGB(1, 2, 3),     RGB(128, 64, 250), RGB(31, 159, 95)};

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    for (int x = 0; x < client.right; x += BandWidth) {
        UniqueBrush brush(CreateSolidBrush(PatternWindow::ColourAt(x)));
        RECT band = {x, 0, x + BandWidth, client.bottom};
        FillRect(dc, &band, brush.get());
    }
    EndPaint(window, &paint);
    return 0;
}

void RegisterClassOnce(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

}  // namespace

COLORREF PatternWindow::ColourAt(int x) {
    return BandColours[(x / BandWidth) % std::size(BandColours)];
}

PatternWindow::PatternWindow(int x, int y, int width, int height) {
    RegisterClassOnce(PatternClass, PatternProc);
    window_ = CreateWindowExA(0, PatternClass, "pattern", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window_);
    DrainMessages();
}

PatternWindow::~PatternWindow() {
    if (window_) DestroyWindow(window_);
}

HWND CreateDisplayWindow(DWORD style, int width, int height, HWND parent) {
    RegisterClassOnce(DisplayClass, DisplayWindowProc);
    return CreateWindowExA(0, DisplayClass, "Screen Saver", style, 0, 0, width, height, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

std::vector<uint8_t> ReadPixels(HDC dc, int width, int height) {
    uint8_t* bits = nullptr;
    UniqueBitmap section = CreatePixelSection(dc, width, height, BitsPerPixel24, &bits);
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!section || !memory) return {};
    {
        SelectionGuard selected(memory.get(), section.get());
        BitBlt(memory.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
        GdiFlush();
    }
    return std::vector<uint8_t>(bits, bits + PixelBufferBytes(width, height));
}

LRESULT EraseWithOwnDc(HWND window) {
    WindowDc dc(window);
    return SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
}

void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void UseDesktopHost() {
    HostWindow = GetDesktopWindow();
    WindowedMode = 1;
    PreviewMode = 0;
}

const SlideshowScene& Slideshow() { return dynamic_cast<const SlideshowScene&>(*DisplayScene); }
