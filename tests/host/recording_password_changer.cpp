// Stands in for the shell's password changer (built as MPR.DLL): records its arguments.
#include <windows.h>

#include "tests/host/host_test_script.h"

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND parent, DWORD reserved1,
                                                                 DWORD reserved2) {
    WriteScriptNumber(ChangeCallsValue, ReadScriptNumber(ChangeCallsValue) + 1);
    WriteScriptText(ChangeProviderValue, provider ? provider : "");
    WriteScriptNumber(ChangeParentValue, WindowNumber(parent));
    WriteScriptNumber(ChangeReservedValue, reserved1 | reserved2);
    return 0;
}
