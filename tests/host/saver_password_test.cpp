// The password policy end to end. A copy of the product runs beside stand-in password
// providers under a name that Wine reports as a Windows 95 family system; a second copy
// under another name runs as an NT system beside the same providers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/host_test_script.h"
#include "tests/host/saver_process.h"

namespace {

constexpr char Win9xSaverName[] = "slide9x.scr";
constexpr char NtSaverName[] = "slident.scr";
constexpr char AppDefaultsPath[] = "Software\\Wine\\AppDefaults\\";
constexpr char DesktopKeyPath[] = "Control Panel\\Desktop";
constexpr char UsePasswordValue[] = "ScreenSaveUsePassword";
constexpr POINT CursorBase = {500, 400};
constexpr int MoveDuringDialog = 40;

std::string ProviderDirectory() { return ExeDirectory() + "host_win9x\\"; }
std::string BareDirectory() { return ExeDirectory() + "host_win9x_bare\\"; }

void SetAppDefault(const std::string& subkey, const char* name, const char* text) {
    const std::string path = std::string(AppDefaultsPath) + subkey;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
        RegCloseKey(key);
    }
}

// Lets the named executable load the stand-in changer beside it rather than Wine's own
// library of that name.
void UseStandInChanger(const char* exeName) {
    SetAppDefault(std::string(exeName) + "\\DllOverrides", "mpr", "native");
}

// The shell's password flag, saved before a test and put back after it.
struct SavedValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

SavedValue ReadUsePassword() {
    SavedValue saved;
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, DesktopKeyPath, UsePasswordValue, RRF_RT_ANY, &saved.type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return saved;
    }
    saved.data.resize(size);
    saved.present = RegGetValueA(HKEY_CURRENT_USER, DesktopKeyPath, UsePasswordValue, RRF_RT_ANY, &saved.type,
                                 saved.data.data(), &size) == ERROR_SUCCESS;
    return saved;
}

void WriteUsePassword(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKeyPath, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (data) {
        RegSetValueExA(key, UsePasswordValue, 0, type, static_cast<const BYTE*>(data), size);
    } else {
        RegDeleteValueA(key, UsePasswordValue);
    }
    RegCloseKey(key);
}

void SetUsePassword(DWORD flag) { WriteUsePassword(REG_DWORD, &flag, sizeof(flag)); }

class PasswordPolicy : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(BareDirectory().c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(SaverPath().c_str(), (ProviderDirectory() + Win9xSaverName).c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(SaverPath().c_str(), (ProviderDirectory() + NtSaverName).c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(SaverPath().c_str(), (BareDirectory() + Win9xSaverName).c_str(), FALSE));
        // Wine reports the Windows 95 family to this name only.
        SetAppDefault(Win9xSaverName, "Version", "win98");
        UseStandInChanger(Win9xSaverName);
        UseStandInChanger(NtSaverName);
        RegDeleteKeyA(HKEY_CURRENT_USER, ScriptKeyPath);
        savedFlag_ = ReadUsePassword();
    }

    void TearDown() override {
        if (savedFlag_.present) {
            WriteUsePassword(savedFlag_.type, savedFlag_.data.data(), static_cast<DWORD>(savedFlag_.data.size()));
        } else {
            WriteUsePassword(REG_NONE, nullptr, 0);
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, ScriptKeyPath);
    }

    static std::unique_ptr<SaverProcess> Start(const std::string& directory, const char* exeName,
                                               const std::string& arguments) {
        PlaceCursor(CursorBase);
        return std::make_unique<SaverProcess>(directory + exeName, arguments);
    }

    // Starts a full-screen saver and returns its window once it shows and has taken its origin.
    static HWND WaitForSaver(SaverProcess& saver) {
        HWND window = saver.FindSaverWindow(nullptr, StartTimeoutMs);
        return WaitUntilLooping(window, StartTimeoutMs) ? window : nullptr;
    }

    static bool WaitForVerifyCalls(DWORD calls) {
        return WaitFor([calls] { return ReadScriptNumber(VerifyCallsValue) >= calls; }, ExitTimeoutMs);
    }

private:
    SavedValue savedFlag_;
};

HWND CreateParentWindow() {
    HWND window = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
    return window;
}

TEST_F(PasswordPolicy, RefusalKeepsSaverRunningAndAcceptanceClosesIt) {
    SetUsePassword(1);
    WriteScriptNumber(VerifyAnswerValue, 0);
    WriteScriptNumber(MoveDuringVerifyValue, MoveDuringDialog);
    auto saver = Start(ProviderDirectory(), Win9xSaverName, "/s");
    HWND window = WaitForSaver(*saver);
    ASSERT_TRUE(window);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(WaitForVerifyCalls(1));
    EXPECT_EQ(ReadScriptNumber(VerifyWindowValue), WindowNumber(window));
    EXPECT_TRUE(saver->WaitExit(StayTimeMs) == std::nullopt);
    EXPECT_TRUE(IsWindowVisible(window));
    // The cursor moved during the dialog; the origin followed it, so this does not count.
    WriteScriptNumber(MoveDuringVerifyValue, 0);
    PostMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(saver->WaitExit(StayTimeMs) == std::nullopt);
    EXPECT_EQ(ReadScriptNumber(VerifyCallsValue), 1u);
    WriteScriptNumber(VerifyAnswerValue, 1);
    ASSERT_TRUE(PlaceCursor({CursorBase.x + MoveDuringDialog + 10, CursorBase.y + MoveDuringDialog}));
    PostMessageA(window, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(saver->WaitExit(ExitTimeoutMs), std::optional<long>(0));
    EXPECT_EQ(ReadScriptNumber(VerifyCallsValue), 2u);
}

TEST_F(PasswordPolicy, InputDuringVerificationPostsNothing) {
    SetUsePassword(1);
    WriteScriptNumber(VerifyAnswerValue, 0);
    WriteScriptNumber(PressKeyDuringVerifyValue, 1);
    auto saver = Start(ProviderDirectory(), Win9xSaverName, "/s");
    HWND window = WaitForSaver(*saver);
    ASSERT_TRUE(window);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(WaitForVerifyCalls(1));
    EXPECT_TRUE(saver->WaitExit(StayTimeMs) == std::nullopt);
    EXPECT_EQ(ReadScriptNumber(VerifyCallsValue), 1u);
    WriteScriptNumber(PressKeyDuringVerifyValue, 0);
    WriteScriptNumber(VerifyAnswerValue, 1);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver->WaitExit(ExitTimeoutMs), std::optional<long>(0));
    EXPECT_EQ(ReadScriptNumber(VerifyCallsValue), 2u);
}

struct NoVerifierCase {
    const char* name;
    bool bareDirectory;
    const char* exeName;
    bool setFlag;
    DWORD flag;
};

const NoVerifierCase NoVerifierCases[] = {
    {"flag 0", false, Win9xSaverName, true, 0},
    {"flag missing", false, Win9xSaverName, false, 0},
    {"verifier missing", true, Win9xSaverName, true, 1},
    {"NT family", false, NtSaverName, true, 1},
};

class NoVerifierTest : public PasswordPolicy, public testing::WithParamInterface<NoVerifierCase> {};

TEST_P(NoVerifierTest, ClosesWithoutAsking) {
    const NoVerifierCase& c = GetParam();
    if (c.setFlag) {
        SetUsePassword(c.flag);
    } else {
        WriteUsePassword(REG_NONE, nullptr, 0);
    }
    WriteScriptNumber(VerifyAnswerValue, 0);
    auto saver = Start(c.bareDirectory ? BareDirectory() : ProviderDirectory(), c.exeName, "/s");
    HWND window = WaitForSaver(*saver);
    ASSERT_TRUE(window) << c.name;
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(saver->WaitExit(ExitTimeoutMs), std::optional<long>(0)) << c.name;
    EXPECT_EQ(ReadScriptNumber(VerifyCallsValue), 0u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, NoVerifierTest, testing::ValuesIn(NoVerifierCases),
                         [](const testing::TestParamInfo<NoVerifierCase>& info) { return std::to_string(info.index); });

// The windowed saver never asks for a password, so it does not load the verifier at all.
TEST_F(PasswordPolicy, OnlyTheFullScreenSaverLoadsTheVerifier) {
    SetUsePassword(1);
    WriteScriptNumber(VerifyAnswerValue, 1);
    const struct {
        const char* arguments;
        DWORD loads;
    } cases[] = {{"/s", 1}, {"/w", 0}};
    for (const auto& c : cases) {
        WriteScriptNumber(VerifierLoadsValue, 0);
        auto saver = Start(ProviderDirectory(), Win9xSaverName, c.arguments);
        HWND window = WaitForSaver(*saver);
        ASSERT_TRUE(window) << c.arguments;
        EXPECT_EQ(ReadScriptNumber(VerifierLoadsValue), c.loads) << c.arguments;
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(saver->WaitExit(ExitTimeoutMs), std::optional<long>(0)) << c.arguments;
    }
}

struct RunningFlagCase {
    const char* name;
    const char* exeName;
    const char* arguments;
    bool raised;
};

const RunningFlagCase RunningFlagCases[] = {
    {"full screen", Win9xSaverName, "/s", true},
    {"windowed", Win9xSaverName, "/w", true},
    {"preview", Win9xSaverName, "/p ", false},
    {"NT family", NtSaverName, "/s", false},
};

class RunningFlagTest : public PasswordPolicy, public testing::WithParamInterface<RunningFlagCase> {};

TEST_P(RunningFlagTest, RaisedWhileSaverRunsAndLoweredAfter) {
    const RunningFlagCase& c = GetParam();
    SetUsePassword(0);
    const bool preview = c.arguments[1] == 'p';
    HWND host = preview ? CreateParentWindow() : nullptr;
    const std::string arguments = preview ? c.arguments + std::to_string(WindowNumber(host)) : c.arguments;
    auto saver = Start(ProviderDirectory(), c.exeName, arguments);
    HWND window = saver->FindSaverWindow(host, StartTimeoutMs);
    ASSERT_TRUE(window) << c.name;
    EXPECT_EQ(ScreenSaverRunningFlag(), c.raised) << c.name;
    if (host) {
        DestroyWindow(host);
    } else {
        // The close box ends the windowed saver, a key the full-screen one.
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    }
    EXPECT_EQ(saver->WaitExit(ExitTimeoutMs), std::optional<long>(0)) << c.name;
    EXPECT_FALSE(ScreenSaverRunningFlag()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Modes, RunningFlagTest, testing::ValuesIn(RunningFlagCases),
                         [](const testing::TestParamInfo<RunningFlagCase>& info) { return std::to_string(info.index); });

TEST_F(PasswordPolicy, ChangeDialogGetsProviderAndParent) {
    HWND parent = CreateParentWindow();
    for (const std::string& arguments : {"/a " + std::to_string(WindowNumber(parent)),
                                         "/p:" + std::to_string(WindowNumber(parent))}) {
        RegDeleteKeyA(HKEY_CURRENT_USER, ScriptKeyPath);
        SaverProcess saver(ProviderDirectory() + Win9xSaverName, arguments);
        EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), std::optional<long>(0)) << arguments;
        EXPECT_EQ(ReadScriptNumber(ChangeCallsValue), 1u) << arguments;
        EXPECT_EQ(ReadScriptText(ChangeProviderValue), "SCRSAVE") << arguments;
        EXPECT_EQ(ReadScriptNumber(ChangeParentValue), WindowNumber(parent)) << arguments;
        EXPECT_EQ(ReadScriptNumber(ChangeReservedValue), 0u) << arguments;
    }
    DestroyWindow(parent);
}

TEST_F(PasswordPolicy, ChangeDialogFallsBackToForegroundWindow) {
    HWND parent = CreateParentWindow();
    SetForegroundWindow(parent);
    PumpMessages();
    const HWND foreground = GetForegroundWindow();
    // No window has the handle 1: it is not a valid user handle.
    SaverProcess saver(ProviderDirectory() + Win9xSaverName, "/a 1");
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), std::optional<long>(0));
    EXPECT_EQ(ReadScriptNumber(ChangeCallsValue), 1u);
    EXPECT_EQ(ReadScriptNumber(ChangeParentValue), WindowNumber(foreground));
    DestroyWindow(parent);
}

TEST_F(PasswordPolicy, NoChangeDialogOutsideWindows95Family) {
    HWND parent = CreateParentWindow();
    SaverProcess saver(ProviderDirectory() + NtSaverName, "/a " + std::to_string(WindowNumber(parent)));
    EXPECT_EQ(saver.WaitExit(ExitTimeoutMs), std::optional<long>(0));
    EXPECT_EQ(ReadScriptNumber(ChangeCallsValue), 0u);
    DestroyWindow(parent);
}

}  // namespace
