// Stands in for the shell's password verifier (built as PASSWORD.CPL): answers as the
// test scripted, records each call, and can play a user who presses a key or moves the
// mouse while its dialog would be up.
#include <windows.h>

#include "tests/host/host_test_script.h"

namespace {

constexpr DWORD DialogTimeMs = 400;
constexpr DWORD PumpIntervalMs = 10;

// What a modal dialog does while it is up: runs the thread's messages.
void RunNestedLoop(DWORD durationMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < durationMs) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(PumpIntervalMs);
    }
}

}  // namespace

// Counts the loads, so a test can tell whether the saver loaded the verifier at all.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) WriteScriptNumber(VerifierLoadsValue, ReadScriptNumber(VerifierLoadsValue) + 1);
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
    WriteScriptNumber(VerifyCallsValue, ReadScriptNumber(VerifyCallsValue) + 1);
    WriteScriptNumber(VerifyWindowValue, WindowNumber(window));
    const int move = static_cast<int>(ReadScriptNumber(MoveDuringVerifyValue));
    if (move) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        SetCursorPos(cursor.x + move, cursor.y + move);
    }
    if (ReadScriptNumber(PressKeyDuringVerifyValue)) {
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(window, WM_SYSKEYDOWN, VK_MENU, 0);
    }
    RunNestedLoop(DialogTimeMs);
    return static_cast<BOOL>(ReadScriptNumber(VerifyAnswerValue));
}
