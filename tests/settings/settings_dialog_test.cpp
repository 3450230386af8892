#include <gtest/gtest.h>

#include "common/process_state.h"
#include "resources/resource_ids.h"
#include "settings/dialog_picture.h"
#include "settings/saver_settings.h"
#include "settings/settings_dialog.h"
#include "tests/settings/settings_test_support.h"

#include <cstdio>
#include <string>

namespace {

constexpr int FadeButtons[] = {IDC_FADE_RADIO, IDC_SHADE_RADIO, IDC_BLOCK_RADIO};

struct Shown {
    UINT brightness;
    int fadeType;  // the one checked button, -1 for none or several
    UINT holdSeconds;
};

// Drives the real dialog, opened modeless from template IDD_SETTINGS, with messages.
class SettingsDialogTest : public SettingsKeyTest {
protected:
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
        SettingsKeyTest::TearDown();
    }

    // Every process starts from the defaults, and a stored FadeType of 0 relies on that.
    void Open() {
        if (dialog_) DestroyWindow(dialog_);
        SaverSettings = SaverSettingsRecord{};
        dialog_ = CreateDialogParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    void Scroll(int bar, UINT code, UINT thumb = 0) const {
        SendMessageW(dialog_, WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(Item(bar)));
    }
    void Click(int id) const {
        SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    int Position(int bar) const { return GetScrollPos(Item(bar), SB_CTL); }
    Shown Controls() const {
        int checked = -1;
        for (int i = 0; i < 3; ++i) {
            if (SendMessageW(Item(FadeButtons[i]), BM_GETCHECK, 0, 0) != BST_CHECKED) continue;
            checked = checked == -1 ? i : -2;
        }
        return {GetDlgItemInt(dialog_, IDC_BRIGHTNESS_NUMBER, nullptr, FALSE), checked < 0 ? -1 : checked,
                GetDlgItemInt(dialog_, IDC_HOLD_NUMBER, nullptr, FALSE)};
    }
    void ExpectShown(const Shown& expected, const std::string& what) const {
        const Shown shown = Controls();
        EXPECT_EQ(shown.brightness, expected.brightness) << what;
        EXPECT_EQ(shown.fadeType, expected.fadeType) << what;
        EXPECT_EQ(shown.holdSeconds, expected.holdSeconds) << what;
        EXPECT_EQ(Position(IDC_BRIGHTNESS_BAR), static_cast<int>(expected.brightness)) << what;
        EXPECT_EQ(Position(IDC_HOLD_BAR), static_cast<int>(expected.holdSeconds)) << what;
    }
    void ExpectStored(uint32_t brightness, uint32_t fadeType, uint32_t wait) const {
        EXPECT_EQ(ReadStoredDword("Brightness"), brightness);
        EXPECT_EQ(ReadStoredDword("FadeType"), fadeType);
        EXPECT_EQ(ReadStoredDword("Wait"), wait);
    }

    HWND dialog_ = nullptr;
};

struct StoredShownCase {
    const char* what;
    bool stored;
    SaverSettingsRecord record;
    Shown shown;
};

TEST_F(SettingsDialogTest, ShowsTheStoredSettings) {
    const StoredShownCase cases[] = {
        {"defaults stored", true, {4, 0, 300}, {4, 0, 10}},
        {"nothing stored", false, {}, {4, 0, 10}},
        {"odd wait", true, {8, 2, 301}, {8, 2, 10}},
        {"longest hold", true, {0, 1, 270000}, {0, 1, 9000}},
        {"all refused", true, {9, 3, 270001}, {4, 0, 10}},
    };
    for (const StoredShownCase& c : cases) {
        DeleteSettingsKey();
        if (c.stored) WriteStoredSettings(c.record.Brightness, c.record.FadeType, c.record.Wait);
        Open();
        ExpectShown(c.shown, c.what);
    }
    wchar_t label[64] = {};
    GetDlgItemTextW(dialog_, IDC_HOLD_LABEL, label, 64);
    EXPECT_EQ(std::wstring(label), L"切換え間隔(秒)(&N)");
    for (const auto& [bar, maximum] : {std::pair{IDC_BRIGHTNESS_BAR, 8}, std::pair{IDC_HOLD_BAR, 9000}}) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        ASSERT_TRUE(GetScrollInfo(Item(bar), SB_CTL, &info));
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, maximum);
        EXPECT_EQ(info.nPage, 1u);
        EXPECT_NE(GetWindowLongW(Item(bar), GWL_STYLE) & WS_VISIBLE, 0);
    }
}

struct ScrollCase {
    const char* what;
    int bar;
    SaverSettingsRecord stored;
    UINT code;
    UINT thumb;
    int position;
    uint32_t value;  // Brightness, or Wait for the hold bar
};

TEST_F(SettingsDialogTest, ScrollRequestsMoveTheBarAndTheSetting) {
    const int B = IDC_BRIGHTNESS_BAR, H = IDC_HOLD_BAR;
    const ScrollCase cases[] = {
        {"line left", B, {4, 0, 300}, SB_LINELEFT, 0, 3, 3},
        {"line right", B, {4, 0, 300}, SB_LINERIGHT, 0, 5, 5},
        {"page left", B, {4, 0, 300}, SB_PAGELEFT, 0, 3, 3},
        {"page right", B, {4, 0, 300}, SB_PAGERIGHT, 0, 5, 5},
        {"thumb position", B, {4, 0, 300}, SB_THUMBPOSITION, 7, 7, 7},
        {"thumb position past the top", B, {4, 0, 300}, SB_THUMBPOSITION, 30, 8, 8},
        {"left", B, {4, 0, 300}, SB_LEFT, 0, 0, 0},
        {"right", B, {4, 0, 300}, SB_RIGHT, 0, 8, 8},
        {"end scroll", B, {4, 0, 300}, SB_ENDSCROLL, 0, 4, 4},
        {"line left at 0", B, {0, 0, 300}, SB_LINELEFT, 0, 0, 0},
        {"page left at 0", B, {0, 0, 300}, SB_PAGELEFT, 0, 0, 0},
        {"line right at top", B, {8, 0, 300}, SB_LINERIGHT, 0, 8, 8},
        {"page right at top", B, {8, 0, 300}, SB_PAGERIGHT, 0, 8, 8},
        {"hold line left", H, {4, 0, 300}, SB_LINELEFT, 0, 9, 270},
        {"hold line right", H, {4, 0, 300}, SB_LINERIGHT, 0, 11, 330},
        {"hold page right", H, {4, 0, 300}, SB_PAGERIGHT, 0, 11, 330},
        {"hold thumb position 15", H, {4, 0, 300}, SB_THUMBPOSITION, 15, 15, 450},
        {"hold left", H, {4, 0, 300}, SB_LEFT, 0, 0, 0},
        {"hold right", H, {4, 0, 300}, SB_RIGHT, 0, 9000, 270000},
        {"hold page left at 0", H, {4, 0, 0}, SB_PAGELEFT, 0, 0, 0},
        {"hold line right at top", H, {4, 0, 270000}, SB_LINERIGHT, 0, 9000, 270000},
        // Any request on the hold bar puts Wait on whole seconds.
        {"hold end scroll rounds", H, {4, 0, 301}, SB_ENDSCROLL, 0, 10, 300},
    };
    for (const ScrollCase& c : cases) {
        DeleteSettingsKey();
        WriteStoredSettings(c.stored.Brightness, c.stored.FadeType, c.stored.Wait);
        Open();
        Scroll(c.bar, c.code, c.thumb);
        EXPECT_EQ(Position(c.bar), c.position) << c.what;
        const bool brightness = c.bar == IDC_BRIGHTNESS_BAR;
        EXPECT_EQ(brightness ? SaverSettings.Brightness : SaverSettings.Wait, c.value) << c.what;
        EXPECT_EQ(brightness ? SaverSettings.Wait : SaverSettings.Brightness,
                  brightness ? c.stored.Wait : c.stored.Brightness)
            << c.what;
        const UINT number = GetDlgItemInt(dialog_, brightness ? IDC_BRIGHTNESS_NUMBER : IDC_HOLD_NUMBER, nullptr, FALSE);
        EXPECT_EQ(static_cast<int>(number), c.position) << c.what;
    }
}

TEST_F(SettingsDialogTest, ScrollFromAnyOtherControlChangesNothing) {
    WriteStoredSettings(5, 1, 301);
    Open();
    const HWND senders[] = {nullptr, Item(IDC_BRIGHTNESS_NUMBER), Item(IDOK), Item(IDC_FADE_RADIO), dialog_};
    for (HWND sender : senders) {
        for (UINT code : {SB_LEFT, SB_RIGHT, SB_THUMBPOSITION, SB_LINERIGHT}) {
            SendMessageW(dialog_, WM_HSCROLL, MAKEWPARAM(code, 3), reinterpret_cast<LPARAM>(sender));
        }
    }
    EXPECT_EQ(SaverSettings.Brightness, 5u);
    EXPECT_EQ(SaverSettings.FadeType, 1u);
    EXPECT_EQ(SaverSettings.Wait, 301u);
    ExpectShown({5, 1, 10}, "after foreign scroll messages");
}

TEST_F(SettingsDialogTest, OkKeepsAnUntouchedOddWait) {
    WriteStoredSettings(4, 0, 301);
    Open();
    ExpectShown({4, 0, 10}, "opened");
    Scroll(IDC_BRIGHTNESS_BAR, SB_LINERIGHT);
    Click(IDC_SHADE_RADIO);
    Click(IDOK);
    ExpectStored(5, 1, 301);
}

TEST_F(SettingsDialogTest, HoldTimeFromTheThumbIsStoredOnOk) {
    Open();
    Scroll(IDC_HOLD_BAR, SB_THUMBPOSITION, 15);
    Scroll(IDC_HOLD_BAR, SB_ENDSCROLL);
    EXPECT_EQ(SaverSettings.Wait, 450u);
    Click(IDOK);
    ExpectStored(4, 0, 450);
}

TEST_F(SettingsDialogTest, EffectButtonsSetTheFadeType) {
    Open();
    for (int i : {2, 1, 0, 2}) {
        Click(FadeButtons[i]);
        EXPECT_EQ(SaverSettings.FadeType, static_cast<uint32_t>(i));
        EXPECT_EQ(Controls().fadeType, i);
    }
    // A command other than a click is ignored: no store, no end.
    SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_DBLCLK), reinterpret_cast<LPARAM>(Item(IDOK)));
    EXPECT_FALSE(ReadStoredDword("FadeType").has_value());
    EXPECT_NE(DialogPictureSurface.get(), nullptr);
}

TEST_F(SettingsDialogTest, DefaultsThenCancelStoresNothing) {
    WriteStoredSettings(7, 2, 600);
    Open();
    Click(IDC_DEFAULTS);
    ExpectShown({4, 0, 10}, "after defaults");
    Click(IDCANCEL);
    ExpectStored(7, 2, 600);
}

TEST_F(SettingsDialogTest, DefaultsThenOkStoresTheDefaults) {
    WriteStoredSettings(7, 2, 600);
    Open();
    Click(IDC_DEFAULTS);
    Click(IDOK);
    ExpectStored(4, 0, 300);
}

constexpr const char* ExpectedHoldVariable = "SLIDE_EXPECTED_HOLD";

TEST_F(SettingsDialogTest, LongestHoldTimeSurvivesARestart) {
    Open();
    Scroll(IDC_HOLD_BAR, SB_RIGHT);
    Click(IDOK);
    ExpectStored(4, 0, 270000);
    EXPECT_EQ(RunTestInFreshProcess("SettingsDialogChild.DISABLED_ShowsStoredHoldTime", ExpectedHoldVariable, "9000"), 0);
}

// Runs only inside the process that the test above starts.
TEST(SettingsDialogChild, DISABLED_ShowsStoredHoldTime) {
    HWND dialog = CreateDialogParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(std::to_string(GetDlgItemInt(dialog, IDC_HOLD_NUMBER, nullptr, FALSE)),
              EnvironmentValue(ExpectedHoldVariable));
    DestroyWindow(dialog);
}

}  // namespace
