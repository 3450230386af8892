#pragma once
// Real windows and pixel reading for the display's tests under Wine.
#include <windows.h>

#include <cstdint>
#include <vector>

// A popup filled with vertical bands of distinct colours, to sit under the saver window.
class PatternWindow {
public:
    PatternWindow(int x, int y, int width, int height);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    HWND get() const { return window_; }
    // The colour of the band at client column x.
    static COLORREF ColourAt(int x);

private:
    HWND window_ = nullptr;
};

// A window of the display's class: every message goes to DisplayWindowProc, like the
// saver's own window past its first layer.
HWND CreateDisplayWindow(DWORD style, int width, int height, HWND parent);

class SlideshowScene;
// The display's scene, which is always the slideshow.
const SlideshowScene& Slideshow();

// Pixels of a width x height area of dc, as 24-bit bottom-up rows (the capture layout).
std::vector<uint8_t> ReadPixels(HDC dc, int width, int height);

// Sends WM_ERASEBKGND with the window's own drawing context, as the platform does.
LRESULT EraseWithOwnDc(HWND window);

// Delivers whatever the platform queued for the thread.
void DrainMessages();

// Starts the display over the desktop, with the flags of a windowed run. Messages the display
// passes on reach the default procedure unless a test chains another one.
void UseDesktopHost();
