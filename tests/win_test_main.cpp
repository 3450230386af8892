// Entry of the Windows test executable: the product's code finds its resources through
// ModuleInstance, which the real entry function would have set. The process-wide state is
// put back after every test, so the tests pass run together as well as one by one.
#include <gtest/gtest.h>

#include <tuple>

#include "common/process_state.h"
#include "display/display_state.h"
#include "display/display_window_proc.h"
#include "display/frame_clock.h"
#include "host/close_policy.h"
#include "host/password_providers.h"
#include "settings/saver_settings.h"
#include "slideshow/slideshow_scene.h"

namespace {

// Every process-wide value a test may change, each declared by its owner's header.
auto ProcessWideState() {
    return std::tie(ModuleInstance, IsWin9x, WindowedMode, PreviewMode, SaverWindow, HostWindow, CursorOrigin,
                    CloseApproved, VerifyingPassword, Destroying, PasswordVerifier, FrameClock, DimLevel,
                    CapturePending, ComposePending, SaverSettings);
}

template <typename... Value>
std::tuple<Value...> Copy(const std::tuple<Value&...>& values) {
    return values;
}

class ProcessStateRestorer : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { before_ = Copy(ProcessWideState()); }
    void OnTestEnd(const testing::TestInfo&) override {
        ProcessWideState() = before_;
        ChainDisplayWindowProc(nullptr);
    }

    decltype(Copy(ProcessWideState())) before_{};
};

}  // namespace

int main(int argc, char** argv) {
    ModuleInstance = GetModuleHandleA(nullptr);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ProcessStateRestorer);
    return RUN_ALL_TESTS();
}
