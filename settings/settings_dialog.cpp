#include "settings/settings_dialog.h"

#include "common/dpi_declarations.h"
#include "resources/resource_ids.h"
#include "settings/about_box.h"
#include "settings/dialog_picture.h"
#include "settings/saver_settings.h"
#include "settings/scroll_rule.h"
#include "settings/settings_store.h"

#include <cstdint>
#include <iterator>

namespace {

constexpr INT_PTR DialogEndCode = 1;
constexpr UINT BarRangeMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
constexpr UINT BarPage = 1;

constexpr int FadeTypeButtons[] = {IDC_FADE_RADIO, IDC_SHADE_RADIO, IDC_BLOCK_RADIO};
constexpr int HoldTimeControls[] = {IDC_HOLD_LABEL, IDC_HOLD_NUMBER, IDC_HOLD_BAR};
constexpr int EffectControls[] = {IDC_EFFECT_LABEL, IDC_FADE_RADIO, IDC_SHADE_RADIO, IDC_BLOCK_RADIO};

static_assert(SB_LINELEFT == static_cast<UINT>(ScrollRequest::LineLeft));
static_assert(SB_LINERIGHT == static_cast<UINT>(ScrollRequest::LineRight));
static_assert(SB_PAGELEFT == static_cast<UINT>(ScrollRequest::PageLeft));
static_assert(SB_PAGERIGHT == static_cast<UINT>(ScrollRequest::PageRight));
static_assert(SB_THUMBPOSITION == static_cast<UINT>(ScrollRequest::ThumbPosition));
static_assert(SB_THUMBTRACK == static_cast<UINT>(ScrollRequest::ThumbTrack));
static_assert(SB_LEFT == static_cast<UINT>(ScrollRequest::Left));
static_assert(SB_RIGHT == static_cast<UINT>(ScrollRequest::Right));
static_assert(SB_ENDSCROLL == static_cast<UINT>(ScrollRequest::EndScroll));

void SetBarRange(HWND dialog, int id, int maximum) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = BarRangeMask;
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = BarPage;
    SetScrollInfo(GetDlgItem(dialog, id), SB_CTL, &info, TRUE);
}

void SetBarPosition(HWND scrollBar, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(scrollBar, SB_CTL, &info, TRUE);
}

void ShowControls(HWND dialog, const int* ids, size_t count) {
    for (size_t i = 0; i < count; ++i) ShowWindow(GetDlgItem(dialog, ids[i]), SW_SHOW);
}

void RunDialogCommand(HWND dialog, int id) {
    switch (id) {
    case IDOK:
        SaveSettings();
        EndDialog(dialog, DialogEndCode);
        return;
    case IDCANCEL:
        EndDialog(dialog, DialogEndCode);
        return;
    case IDC_DEFAULTS:
        RestoreDefaults(dialog);
        return;
    case IDC_ABOUT:
        ShowAboutBox(dialog);
        return;
    case IDC_FADE_RADIO:
    case IDC_SHADE_RADIO:
    case IDC_BLOCK_RADIO:
        SaverSettings.FadeType = static_cast<uint32_t>(id - IDC_FADE_RADIO);
        RefreshDialogControls(dialog);
        return;
    default:
        return;
    }
}

}  // namespace

void ShowHoldTimeControls(HWND dialog) {
    ShowControls(dialog, HoldTimeControls, std::size(HoldTimeControls));
    SetDlgItemTextW(dialog, IDC_HOLD_LABEL, L"切換え間隔(秒)(&N)");
    SetBarRange(dialog, IDC_HOLD_BAR, MaxHoldSeconds);
    ShowControls(dialog, EffectControls, std::size(EffectControls));
}

void RefreshDialogControls(HWND dialog) {
    SetBarPosition(GetDlgItem(dialog, IDC_BRIGHTNESS_BAR), static_cast<int>(SaverSettings.Brightness));
    SetDlgItemInt(dialog, IDC_BRIGHTNESS_NUMBER, SaverSettings.Brightness, FALSE);
    for (uint32_t i = 0; i < std::size(FadeTypeButtons); ++i) {
        const WPARAM check = i == SaverSettings.FadeType ? BST_CHECKED : BST_UNCHECKED;
        SendDlgItemMessageW(dialog, FadeTypeButtons[i], BM_SETCHECK, check, 0);
    }
    const uint32_t seconds = SaverSettings.Wait / FramesPerSecond;
    SetBarPosition(GetDlgItem(dialog, IDC_HOLD_BAR), static_cast<int>(seconds));
    SetDlgItemInt(dialog, IDC_HOLD_NUMBER, seconds, FALSE);
}

void InitSettingsDialog(HWND dialog) {
    // Without the sample picture the dialog still opens, with its template texts.
    if (!CreateDialogPicture(dialog)) return;
    ShowHoldTimeControls(dialog);
    SetBarRange(dialog, IDC_BRIGHTNESS_BAR, MaxBrightness);
    RefreshDialogControls(dialog);
}

void RestoreDefaults(HWND dialog) {
    SaverSettings = SaverSettingsRecord{};
    RefreshDialogControls(dialog);
}

int ScrollSetting(HWND dialog, UINT code, UINT thumbPosition, HWND scrollBar) {
    const int id = GetDlgCtrlID(scrollBar);
    if (id != IDC_BRIGHTNESS_BAR && id != IDC_HOLD_BAR) return -1;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(scrollBar, SB_CTL, &info)) return -1;

    const ScrollBarState bar{info.nMin, info.nMax, info.nPage, info.nPos, info.nTrackPos};
    const int position = NextScrollPosition(bar, code, static_cast<uint16_t>(thumbPosition));
    SetBarPosition(scrollBar, position);
    const uint32_t value = static_cast<uint32_t>(ScrolledValue(bar, code, position));
    if (id == IDC_BRIGHTNESS_BAR) {
        SaverSettings.Brightness = value;
    } else {
        SaverSettings.Wait = value * FramesPerSecond;
    }
    RefreshDialogControls(dialog);
    return 0;
}

void CloseSettingsDialog(HWND dialog) { ReleaseDialogPicture(dialog); }

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        LoadSettings();
        InitSettingsDialog(dialog);
        return TRUE;
    case WM_PAINT:
        PaintDialogPicture(dialog);
        return FALSE;
    case WM_DPICHANGED: {
        // Moved to a monitor of another scale: the dialog takes the size the system suggests,
        // its controls are scaled to it, and the sample follows them.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested)
            SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        CreateDialogPicture(dialog);
        InvalidateRect(dialog, nullptr, TRUE);
        return FALSE;
    }
    case WM_CLOSE:
    case WM_DESTROY:
        // However the dialog ends (OK, Cancel, Escape, the close box, or its window destroyed
        // outright), the picture objects go with it.
        CloseSettingsDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) RunDialogCommand(dialog, LOWORD(wParam));
        return FALSE;
    case WM_HSCROLL:
        ScrollSetting(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return FALSE;
    case WM_QUERYNEWPALETTE:
        if (!DialogPalette()) return FALSE;
        RefreshDialogPalette(dialog);
        // The dialog manager hands the sender the message result, not this procedure's
        // return value: that is where "a palette was realized" must go.
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_PALETTEISCHANGING:
    case WM_PALETTECHANGED:
        // Our own realization announces itself too; only another window's calls for a refresh.
        if (DialogPalette() && reinterpret_cast<HWND>(wParam) != dialog) RefreshDialogPalette(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
