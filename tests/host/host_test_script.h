#pragma once
// The registry key through which the password tests script the stand-in password
// providers and read back what the saver asked of them. Shared by the tests and the
// two test DLLs, which run inside the saver's process.
#include <windows.h>

#include <string>

inline constexpr char ScriptKeyPath[] = "Software\\SlideHostTest";

// Set by the test, read by the verifier.
inline constexpr char VerifyAnswerValue[] = "VerifyAnswer";
inline constexpr char PressKeyDuringVerifyValue[] = "PressKeyDuringVerify";
inline constexpr char MoveDuringVerifyValue[] = "MoveDuringVerify";
// Written by the verifier.
inline constexpr char VerifierLoadsValue[] = "VerifierLoads";
inline constexpr char VerifyCallsValue[] = "VerifyCalls";
inline constexpr char VerifyWindowValue[] = "VerifyWindow";
// Written by the password changer.
inline constexpr char ChangeCallsValue[] = "ChangeCalls";
inline constexpr char ChangeProviderValue[] = "ChangeProvider";
inline constexpr char ChangeParentValue[] = "ChangeParent";
inline constexpr char ChangeReservedValue[] = "ChangeReserved";

inline DWORD ReadScriptNumber(const char* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, ScriptKeyPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return 0;
    }
    return value;
}

inline std::string ReadScriptText(const char* name) {
    char text[64] = {};
    DWORD size = sizeof(text);
    if (RegGetValueA(HKEY_CURRENT_USER, ScriptKeyPath, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return {};
    }
    return text;
}

inline void WriteScriptValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ScriptKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

inline void WriteScriptNumber(const char* name, DWORD value) {
    WriteScriptValue(name, REG_DWORD, &value, sizeof(value));
}

inline void WriteScriptText(const char* name, const char* text) {
    WriteScriptValue(name, REG_SZ, text, static_cast<DWORD>(lstrlenA(text) + 1));
}

// Window handles fit in 32 bits on every Windows, so a number value holds them.
inline DWORD WindowNumber(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }
