// Looks at the settings dialog of a running slide.scr /c from outside, for the screenshot
// script: waits for the dialog or the About box to show, and tells where a control is on
// the screen so that a real mouse click can reach it.
//   dialog_probe wait          exit 0 once the settings dialog shows
//   dialog_probe about         exit 0 once the About box shows beside it
//   dialog_probe gone          exit 0 once no dialog of it is left
//   dialog_probe centre ID     print "x y", the screen centre of control ID
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

constexpr DWORD PollMs = 100;
constexpr int PollCount = 200;
constexpr const wchar_t* DialogTitle = L"ScreenSaverの設定";

HWND SettingsDialog() { return FindWindowW(L"#32770", DialogTitle); }

struct AboutSearch {
    DWORD process;
    HWND settings;
    HWND found;
};

BOOL CALLBACK MatchAboutBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<AboutSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == search->process && window != search->settings && IsWindowVisible(window) &&
        std::wcscmp(className, L"#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND AboutBox() {
    AboutSearch search{0, SettingsDialog(), nullptr};
    if (!search.settings) return nullptr;
    GetWindowThreadProcessId(search.settings, &search.process);
    EnumWindows(MatchAboutBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <typename Condition>
int WaitFor(Condition condition) {
    for (int i = 0; i < PollCount; ++i) {
        if (condition()) return 0;
        Sleep(PollMs);
    }
    return 1;
}

int PrintCentre(int id) {
    HWND control = GetDlgItem(SettingsDialog(), id);
    RECT place{};
    if (!control || !GetWindowRect(control, &place)) return 1;
    std::printf("%ld %ld\n", (place.left + place.right) / 2, (place.top + place.bottom) / 2);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "wait") == 0) {
        return WaitFor([] { return SettingsDialog() && IsWindowVisible(SettingsDialog()); });
    }
    if (argc >= 2 && std::strcmp(argv[1], "about") == 0) return WaitFor([] { return AboutBox() != nullptr; });
    if (argc >= 2 && std::strcmp(argv[1], "gone") == 0) return WaitFor([] { return SettingsDialog() == nullptr; });
    if (argc >= 3 && std::strcmp(argv[1], "centre") == 0) return PrintCentre(std::atoi(argv[2]));
    std::fprintf(stderr, "usage: dialog_probe wait|about|gone|centre ID\n");
    return 2;
}
