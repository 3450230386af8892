#include "settings/about_box.h"

#include "common/dpi_declarations.h"
#include "common/process_state.h"
#include "common/unique_handle.h"
#include "images/picture_scale.h"
#include "images/resampled_section.h"
#include "images/screen_dpi.h"
#include "resources/resource_ids.h"

#include <utility>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr INT_PTR AboutEndCode = 1;
constexpr LONG_PTR Closing = 1;
constexpr int AboutPictureWidth = 340;
constexpr int AboutPictureHeight = 230;

// The picture shown instead of the template's on a scaled screen; the box has one at a time.
UniqueBitmap ScaledPicture;

// The About picture as painted at each of PaintedDpis.
constexpr int AboutPaintings[PaintingCount] = {IDB_ABOUT, IDB_ABOUT_150, IDB_ABOUT_200};

// Hands the picture control picture (may be null) and gives back what it showed before,
// unless that was our own picture.
void ShowPicture(HWND window, HBITMAP picture) {
    HWND control = GetWindow(window, GW_CHILD);
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
    if (previous && previous != ScaledPicture.get()) DeleteObject(previous);
}

// At 100 % the template's picture stays. At any other scale the box shows the picture at
// its size there: painted at that scale, or the next larger painting resampled.
void FollowScale(HWND window) {
    const int dpi = WindowDpi(window);
    if (dpi == UnscaledDpi && !ScaledPicture) return;
    const size_t painting = PaintingFor(dpi);
    UniqueBitmap picture(static_cast<HBITMAP>(
        LoadImageW(ModuleInstance, MAKEINTRESOURCEW(AboutPaintings[painting]), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (picture && PaintedDpis[painting] != dpi)
        picture = ResampleSection(picture.get(), ScaledLength(AboutPictureWidth, dpi), ScaledLength(AboutPictureHeight, dpi));
    if (!picture) return;
    ShowPicture(window, picture.get());
    ScaledPicture = std::move(picture);
}

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
    case WM_INITDIALOG:
        FollowScale(window);
        return FALSE;
    case WM_DPICHANGED:
        FollowScale(window);
        return FALSE;
    case WM_DESTROY:
        // The control lets go of our picture before it goes.
        if (ScaledPicture) ShowPicture(window, nullptr);
        ScaledPicture.reset();
        return FALSE;
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
