#pragma once
// The shell's password providers of the Windows 95 family, loaded by name at run time.
#include <windows.h>

#include "common/unique_handle.h"

// Returns non-zero when the user entered the right password.
using PasswordVerifierFunction = BOOL(WINAPI*)(HWND window);

// The verifier's module and entry point while loaded, else empty.
extern UniqueModule PasswordModule;
extern PasswordVerifierFunction PasswordVerifier;

// Loads the verifier when the user has a password set (Windows 95 family only).
void LoadPasswordVerifier();
void FreePasswordVerifier();

// Runs the platform's password-change dialog for the saver; always returns 0.
int RunChangePassword(HWND parent);
