#pragma once
// Drives saver processes from a test: starting them, finding their windows, sending them
// input and collecting their exit codes. Every wait is bounded and keeps this thread's
// messages flowing, since a preview's window is a child of a window of this process.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/unique_handle.h"

inline constexpr DWORD StartTimeoutMs = 15000;
inline constexpr DWORD ExitTimeoutMs = 10000;
// How long a saver that should keep running is watched before it counts as running on.
inline constexpr DWORD StayTimeMs = 1500;

// Folder of the running test executable, with a trailing backslash.
std::string ExeDirectory();
// The product beside the test executable.
std::string SaverPath();

// Dispatches every message waiting for this thread.
void PumpMessages();
// Pumps and polls until done() holds or timeoutMs pass; returns done()'s last answer.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs);

class SaverProcess {
public:
    SaverProcess(const std::string& exePath, const std::string& arguments);
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;
    // A saver still running is killed, so no test leaves one behind.
    ~SaverProcess();

    bool Started() const { return static_cast<bool>(process_); }
    bool Running() const;
    // The exit code, or nothing when the process is still running after timeoutMs.
    std::optional<long> WaitExit(DWORD timeoutMs);
    // The process's visible window of the saver class: a top-level one when parent is
    // empty, else a child of parent. Empty when none appears within timeoutMs.
    HWND FindSaverWindow(HWND parent, DWORD timeoutMs) const;

private:
    UniqueKernelHandle process_;
    UniqueKernelHandle thread_;
    DWORD processId_ = 0;
};

// Waits until the saver's thread answers a message sent to window. Its loop is the first
// place where it does, so the window is shown and the cursor origin taken by then.
bool WaitUntilLooping(HWND window, DWORD timeoutMs);

// Puts the cursor at point and waits until the platform reports it there.
bool PlaceCursor(POINT point);

// Presses and releases the space bar, as a user ending the saver does.
void PressSpace();

// The platform keeps the screen-saver-running flag per process once read, so each reading
// is made by a fresh process: this executable started with the probe argument.
inline constexpr char RunningFlagProbeArgument[] = "--read-running-flag";
bool ScreenSaverRunningFlagHere();
bool ScreenSaverRunningFlag();
