// Start-up of the executable: finds the switch after the program path and hands it to
// the entry function, whose result becomes the exit code.
#include <windows.h>

#include "host/command_tail.h"
#include "host/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return SaverEntry(GetModuleHandleA(nullptr), ExtractCommandTail(GetCommandLineA()));
}
