#include "host/close_policy.h"

#include "common/process_state.h"
#include "display/display_window_proc.h"
#include "host/cursor_movement.h"
#include "host/password_providers.h"

// Exported by the platform's USER library but missing from the toolchain's headers.
extern "C" __declspec(dllimport) BOOL WINAPI WINNLSEnableIME(HWND window, BOOL enable);

int CloseApproved = 0;
int VerifyingPassword = 0;
int Destroying = 0;

namespace {

// The preview host owns the help record only while the message is being sent to it.
constexpr UINT HelpForwardTimeoutMs = 2000;

bool ClosingBegun() { return Destroying || CloseApproved; }

void HideCursor() {
    // The display count may have been raised several times; lower it until hidden.
    while (ShowCursor(FALSE) >= 0) {
    }
}

void RestoreCursor() {
    while (ShowCursor(TRUE) < 0) {
    }
}

bool IsSwallowedCommand(WPARAM command) {
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_CLOSE ||
           command == SC_SCREENSAVE;
}

void ForwardToHost(HWND window, UINT message, LPARAM lParam) {
    HWND parent = GetParent(window);
    if (!parent || !IsWindow(parent)) return;
    const WPARAM parentValue = reinterpret_cast<WPARAM>(parent);
    if (message == WM_HELP) {
        SendMessageTimeoutA(parent, message, parentValue, lParam, SMTO_ABORTIFHUNG, HelpForwardTimeoutMs,
                            nullptr);
    } else {
        PostMessageA(parent, message, parentValue, lParam);
    }
}

void RequestClose(HWND window) {
    if (!VerifyingPassword) PostMessageA(window, WM_CLOSE, 0, 0);
}

// The message's own coordinates are not used: the cursor's screen position is.
void TestMovement(HWND window) {
    POINT cursor = {};
    if (!GetCursorPos(&cursor)) return;
    if (MovementEndsSaver(CursorOrigin.x, CursorOrigin.y, cursor.x, cursor.y)) RequestClose(window);
}

}  // namespace

LRESULT CALLBACK SaverClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!WindowedMode) {
            HideCursor();
            WINNLSEnableIME(nullptr, FALSE);
        }
        break;
    case WM_DESTROY:
        if (!WindowedMode) {
            RestoreCursor();
            WINNLSEnableIME(nullptr, TRUE);
        }
        PostQuitMessage(0);
        break;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
        if (WindowedMode || ClosingBegun()) return DefWindowProcA(window, message, wParam, lParam);
        break;
    case WM_PAINT:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (ClosingBegun()) return DefWindowProcA(window, message, wParam, lParam);
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (PreviewMode) {
            ForwardToHost(window, message, lParam);
            return 1;
        }
        break;
    case WM_SYSCOMMAND:
        if (!WindowedMode && IsSwallowedCommand(wParam)) return 0;
        break;
    case WM_TIMER:
        if (ClosingBegun()) return 0;
        break;
    case WM_POWERBROADCAST:
        // The display's power state is the display's to follow; every other request is refused.
        if (!WindowedMode && wParam != PBT_POWERSETTINGCHANGE) return BROADCAST_QUERY_DENY;
        break;
    case WM_DISPLAYCHANGE:
        // A smaller screen moves the cursor into it: that is no movement of the user's.
        GetCursorPos(&CursorOrigin);
        break;
    default:
        break;
    }
    return DisplayWindowProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ClosePolicyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Windowed and preview savers ignore input and close by the default handling.
    if (PreviewMode || WindowedMode || Destroying) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        if (wParam == 0) TestMovement(window);
        break;
    case WM_MOUSEMOVE:
        TestMovement(window);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        RequestClose(window);
        break;
    case WM_CLOSE:
        HandleCloseRequest(window);
        return 0;
    case WM_SETCURSOR:
        if (VerifyingPassword) break;
        SetCursor(nullptr);
        return 1;
    case PasswordMessage:
        return PasswordVerifier ? PasswordVerifier(window) : 1;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void HandleCloseRequest(HWND window) {
    if (VerifyingPassword || Destroying) return;
    if (CloseApproved) {
        // The first pass hid the window, so a hidden window is the ordinary case here.
        if (!ShowWindow(window, SW_SHOWNA)) {
            Destroying = 1;
            DestroyWindow(window);
            return;
        }
        ShowWindow(window, SW_HIDE);
        InvalidateRect(GetDesktopWindow(), nullptr, FALSE);
        PostMessageA(window, WM_CLOSE, 0, 0);
        return;
    }
    if (PasswordVerifier) {
        VerifyingPassword = 1;
        // The verifier's dialog runs a nested message loop inside this send.
        CloseApproved = SendMessageA(window, PasswordMessage, 0, 0) != 0 ? 1 : 0;
        VerifyingPassword = 0;
        // Movements made while the dialog was up do not count.
        GetCursorPos(&CursorOrigin);
        if (!CloseApproved) return;
    } else {
        CloseApproved = 1;
    }
    ShowWindow(window, SW_HIDE);
    PostMessageA(window, WM_CLOSE, 0, 0);
}
