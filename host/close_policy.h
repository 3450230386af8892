#pragma once
// When the saver closes: input that ends it, password verification, hiding and
// destruction. Holds the first and the last procedure of the saver window's chain.
#include <windows.h>

// The private message that runs the password verifier inside the window's chain.
inline constexpr UINT PasswordMessage = WM_APP;

// The verifier's dialog is up.
extern int VerifyingPassword;
// The window is being destroyed after an approved close.
extern int Destroying;

// Registered with the saver window class: cursor, input method, system commands, power
// requests, preview forwarding and the filter once closing has begun.
LRESULT CALLBACK SaverClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Input that ends the saver, the close request, the cursor and the password message.
LRESULT CALLBACK ClosePolicyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Carries one close request through verification, hiding and destruction.
void HandleCloseRequest(HWND window);
