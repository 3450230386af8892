// Changes the display mode while a saver runs, as a dock, a remote session or a driver does:
// change_mode WIDTH HEIGHT SECONDS. Wine gives the mode back when the process that set it
// ends, so the mode is held for SECONDS and then returns: two changes, down and back up.
// Exit code 0 when the platform took the mode, 1 when it refused, 2 on a bad command line.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[1]));
    mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[2]));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) != DISP_CHANGE_SUCCESSFUL) return 1;
    Sleep(static_cast<DWORD>(std::atoi(argv[3])) * 1000);
    return 0;
}
