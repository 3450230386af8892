// Changes the display mode while a saver runs, as a dock, a remote session or a driver does:
// change_mode WIDTH HEIGHT. Exit code 0 when the platform took the mode, 1 when it refused.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[1]));
    mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[2]));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}
