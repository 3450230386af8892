#include "settings/about_box.h"

#include "common/process_state.h"
#include "resources/resource_ids.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr INT_PTR AboutEndCode = 1;

void CloseAboutBox(HWND window) {
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
    case WM_CREATE:
    case WM_INITDIALOG:
        // A dialog procedure sees WM_INITDIALOG rather than WM_CREATE; the box takes
        // the mouse there, so a press anywhere on the screen reaches it.
        SetCapture(window);
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
