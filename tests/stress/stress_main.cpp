// Start-up of the stress build: the product's own start-up, except that an exception that
// leaves the saver is recorded and the process then lingers for SLIDE_LINGER_MS, so a test
// can show that the teardown, not the process exit, gave everything back.
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "host/command_tail.h"
#include "host/entry.h"

void SeamNote(const char* text);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return SaverEntry(GetModuleHandleA(nullptr), ExtractCommandTail(GetCommandLineA()));
    } catch (const std::exception& error) {
        SeamNote("caught");
        const char* linger = std::getenv("SLIDE_LINGER_MS");
        Sleep(linger ? std::atoi(linger) : 0);
        return 3;
    }
}
