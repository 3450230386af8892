// Changes the display mode while a saver runs, as a dock, a remote session or a driver does:
// change_mode SECONDS WIDTH HEIGHT [WIDTH HEIGHT ...] sets each mode in turn and holds it for
// SECONDS. One process makes every change, since Wine may give a mode back when the process
// that set it ends. Exit code 0 when the platform took every mode, 1 when it refused one,
// 2 on a bad command line.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) return 2;
    const DWORD holdMs = static_cast<DWORD>(std::atoi(argv[1])) * 1000;
    for (int k = 2; k + 1 < argc; k += 2) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[k]));
        mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[k + 1]));
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        if (ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) != DISP_CHANGE_SUCCESSFUL) return 1;
        Sleep(holdMs);
    }
    return 0;
}
