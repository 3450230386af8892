#include "settings/about_box.h"

#include "common/process_state.h"
#include "resources/resource_ids.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr INT_PTR AboutEndCode = 1;
constexpr LONG_PTR Closing = 1;

void CloseAboutBox(HWND window) {
    // Hiding the ending box deactivates it, which asks for the close again: once is enough.
    if (GetWindowLongPtrW(window, DWLP_USER) == Closing) return;
    SetWindowLongPtrW(window, DWLP_USER, Closing);
    ReleaseCapture();
    EndDialog(window, AboutEndCode);
}

}  // namespace

INT_PTR ShowAboutBox(HWND) {
    return DialogBoxParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_ABOUT), SaverWindow, AboutBoxProc, 0);
}

HBRUSH WhiteControlColor(HDC dc) {
    SetBkColor(dc, White);
    SetBkMode(dc, OPAQUE);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

INT_PTR CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_SHOWWINDOW:
        // The box takes the mouse as it appears, so a press anywhere on the screen reaches
        // it. A dialog procedure never sees WM_CREATE, and the start of the modal loop
        // cancels a capture taken during WM_INITDIALOG.
        if (wParam) SetCapture(window);
        return FALSE;
    case WM_NCACTIVATE:
        if (!wParam) CloseAboutBox(window);
        return FALSE;
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        CloseAboutBox(window);
        return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(WhiteControlColor(reinterpret_cast<HDC>(wParam)));
    default:
        return FALSE;
    }
}
