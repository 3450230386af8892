#include "host/password_providers.h"

#include <cstdint>

#include "common/process_state.h"

UniqueModule PasswordModule;
PasswordVerifierFunction PasswordVerifier = nullptr;

namespace {

constexpr char DesktopKeyPath[] = "Control Panel\\Desktop";
constexpr char UsePasswordValue[] = "ScreenSaveUsePassword";
constexpr char VerifierLibrary[] = "PASSWORD.CPL";
constexpr char VerifierEntry[] = "VerifyScreenSavePwd";
constexpr char ChangeLibrary[] = "MPR.DLL";
constexpr char ChangeEntry[] = "PwdChangePasswordA";
constexpr char PasswordProvider[] = "SCRSAVE";

using ChangePasswordFunction = DWORD(WINAPI*)(LPCSTR provider, HWND parent, DWORD reserved1, DWORD reserved2);

template <typename Function>
Function LookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Any value type is read as raw bytes. The buffer starts cleared so that a value shorter
// than four bytes reads as its own bytes followed by zeros.
bool UserHasPassword() {
    HKEY openedKey = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, DesktopKeyPath, &openedKey) != ERROR_SUCCESS) return false;
    UniqueRegistryKey key(openedKey);
    std::uint32_t flag = 0;
    DWORD size = sizeof(flag);
    const LONG status =
        RegQueryValueExA(key.get(), UsePasswordValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&flag), &size);
    return status == ERROR_SUCCESS && flag != 0;
}

}  // namespace

void LoadPasswordVerifier() {
    if (!IsWin9x) return;
    if (PasswordModule) FreePasswordVerifier();
    if (!UserHasPassword()) return;
    PasswordModule.reset(LoadLibraryA(VerifierLibrary));
    if (!PasswordModule) return;
    PasswordVerifier = LookUp<PasswordVerifierFunction>(PasswordModule.get(), VerifierEntry);
    if (!PasswordVerifier) FreePasswordVerifier();
}

void FreePasswordVerifier() {
    if (!IsWin9x || !PasswordModule) return;
    PasswordModule.reset();
    PasswordVerifier = nullptr;
}

int RunChangePassword(HWND parent) {
    UniqueModule library(LoadLibraryA(ChangeLibrary));
    if (!library) return 0;
    const auto changePassword = LookUp<ChangePasswordFunction>(library.get(), ChangeEntry);
    if (changePassword) changePassword(PasswordProvider, parent, 0, 0);
    library.reset();
    return 0;
}
