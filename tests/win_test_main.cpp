// Entry of the Windows test executable: the product's code finds its resources through
// ModuleInstance, which the real entry function would have set. The process-wide state is
// put back after every test, so the tests pass run together as well as one by one.
#include <gtest/gtest.h>

#include "common/process_state.h"
#include "display/display_surfaces.h"
#include "display/display_window_proc.h"
#include "display/frame_clock.h"
#include "host/close_policy.h"
#include "host/password_providers.h"
#include "settings/saver_settings.h"

// The slideshow's once-per-process first composition; only the tests put it back.
extern int ComposePending;

namespace {

struct ProcessState {
    HINSTANCE moduleInstance;
    int isWin9x, windowedMode, previewMode;
    HWND saverWindow, hostWindow;
    POINT cursorOrigin;
    int closeApproved, verifyingPassword, destroying;
    PasswordVerifierFunction passwordVerifier;
    FrameClockState frameClock;
    int32_t dimLevel;
    int capturePending;
    int composePending;
    SaverSettingsRecord saverSettings;

    static ProcessState Now() {
        return {ModuleInstance, IsWin9x,    WindowedMode,      PreviewMode, SaverWindow,     HostWindow,
                CursorOrigin,   CloseApproved, VerifyingPassword, Destroying, PasswordVerifier,
                FrameClock,     DimLevel,      CapturePending,    ComposePending,
                SaverSettings};
    }
    void Restore() const {
        ModuleInstance = moduleInstance;
        IsWin9x = isWin9x;
        WindowedMode = windowedMode;
        PreviewMode = previewMode;
        SaverWindow = saverWindow;
        HostWindow = hostWindow;
        CursorOrigin = cursorOrigin;
        CloseApproved = closeApproved;
        VerifyingPassword = verifyingPassword;
        Destroying = destroying;
        PasswordVerifier = passwordVerifier;
        FrameClock = frameClock;
        DimLevel = dimLevel;
        CapturePending = capturePending;
        ComposePending = composePending;
        SaverSettings = saverSettings;
        ChainDisplayWindowProc(nullptr);
    }
};

class ProcessStateRestorer : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { before_ = ProcessState::Now(); }
    void OnTestEnd(const testing::TestInfo&) override { before_.Restore(); }

    ProcessState before_{};
};

}  // namespace

int main(int argc, char** argv) {
    ModuleInstance = GetModuleHandleA(nullptr);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ProcessStateRestorer);
    return RUN_ALL_TESTS();
}
