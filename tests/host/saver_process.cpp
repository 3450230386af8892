#include "tests/host/saver_process.h"

#include <vector>

namespace {

constexpr char SaverClassName[] = "WindowsScreenSaverClass";
constexpr DWORD PollIntervalMs = 20;
constexpr DWORD KillWaitMs = 5000;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchSaverWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && lstrcmpA(className, SaverClassName) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string ExeDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

std::string SaverPath() { return ExeDirectory() + "slide.scr"; }

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, PollIntervalMs, QS_ALLINPUT);
    }
}

SaverProcess::SaverProcess(const std::string& exePath, const std::string& arguments) {
    std::string commandLine = "\"" + exePath + "\" " + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION information = {};
    if (CreateProcessA(exePath.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &information)) {
        process_.reset(information.hProcess);
        thread_.reset(information.hThread);
        processId_ = information.dwProcessId;
    }
}

SaverProcess::~SaverProcess() {
    if (Running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), KillWaitMs);
    }
    thread_.reset();
    process_.reset();
}

bool SaverProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<long> SaverProcess::WaitExit(DWORD timeoutMs) {
    if (!process_) return std::nullopt;
    if (!WaitFor([this] { return !Running(); }, timeoutMs)) return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeProcess(process_.get(), &exitCode);
    return static_cast<long>(static_cast<LONG>(exitCode));
}

HWND SaverProcess::FindSaverWindow(HWND parent, DWORD timeoutMs) const {
    WindowSearch search = {processId_, nullptr};
    WaitFor(
        [&] {
            if (parent) {
                EnumChildWindows(parent, MatchSaverWindow, reinterpret_cast<LPARAM>(&search));
            } else {
                EnumWindows(MatchSaverWindow, reinterpret_cast<LPARAM>(&search));
            }
            return search.found != nullptr || !Running();
        },
        timeoutMs);
    return search.found;
}

bool WaitUntilLooping(HWND window, DWORD timeoutMs) {
    DWORD_PTR answer = 0;
    return window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer) != 0;
}

bool PlaceCursor(POINT point) {
    SetCursorPos(point.x, point.y);
    return WaitFor(
        [point] {
            POINT cursor = {};
            return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
        },
        StartTimeoutMs);
}

void PressSpace() {
    INPUT key[2] = {};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wVk = key[1].ki.wVk = VK_SPACE;
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, key, sizeof key[0]);
}

bool ScreenSaverRunningFlagHere() {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running != FALSE;
}

bool ScreenSaverRunningFlag() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    SaverProcess probe(path, RunningFlagProbeArgument);
    return probe.WaitExit(ExitTimeoutMs) == std::optional<long>(1);
}
