// The display on a 256-colour screen: these run only where the screen has 8 bits per pixel
// (make wintest-8bit) and report themselves skipped everywhere else.
#include <gtest/gtest.h>

#include <vector>

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "display/display_surfaces.h"
#include "display/palette.h"
#include "images/shared_memory_dcs.h"
#include "resources/resource_ids.h"
#include "tests/display/display_test_support.h"
#include "tests/images/bitmap_resource_palette.h"

namespace {

constexpr int WindowWidth = 320;
constexpr int WindowHeight = 240;

HGDIOBJ SelectedPalette(HDC dc) { return GetCurrentObject(dc, OBJ_PAL); }

bool HasUpdateRegion(HWND window) {
    RECT update;
    return GetUpdateRect(window, &update, FALSE) != FALSE;
}

// The display over the desktop with a saver window, started in a windowed run unless a
// test asks for the full screen before Start.
class EightBitDisplay : public testing::Test {
protected:
    void SetUp() override {
        if (!OnPaletteDisplay()) GTEST_SKIP() << "needs a display of 8 bits per pixel";
        UseDesktopHost();
    }
    void TearDown() override {
        if (IsWindow(window_)) StopDisplay(window_);
        if (window_) DestroyWindow(window_);
        StopDisplay(nullptr);
    }
    void Start() {
        ASSERT_TRUE(StartDisplay(HostWindow));
        window_ = CreateDisplayWindow(WS_POPUP, WindowWidth, WindowHeight, nullptr);
        ASSERT_TRUE(window_);
    }

    HWND window_ = nullptr;
};

TEST_F(EightBitDisplay, FullScreenRunBuildsItFromThePalettePictureAndSelectsItEverywhere) {
    WindowedMode = 0;
    Start();
    EXPECT_FALSE(DisplayPalette) << "the palette waits for the first erase";
    ASSERT_EQ(EraseWithOwnDc(window_), -1);
    ASSERT_TRUE(DisplayPalette);
    const HPALETTE palette = DisplayPalette.get();

    const std::vector<PackedEntry> expected = PaletteOfBitmapResource(IDB_PALETTE);
    ASSERT_EQ(expected.size(), 256u);
    EXPECT_EQ(LogicalPaletteEntries(palette), expected);
    const struct {
        const char* name;
        HDC dc;
    } contexts[] = {{"WorkDc", WorkDc.get()}, {"BackdropDc", BackdropDc.get()}, {"PictureDc", PictureDc},
                    {"TargetDc", TargetDc}};
    for (const auto& context : contexts) {
        ASSERT_NE(context.dc, nullptr) << context.name;
        EXPECT_EQ(SelectedPalette(context.dc), palette) << context.name;
    }
    EXPECT_EQ(SystemPaletteUse(), static_cast<UINT>(SYSPAL_NOSTATIC)) << "the full screen takes all 256 colours";

    // Taking it back gives every surface its own palette again before the palette goes.
    const HGDIOBJ stock = GetStockObject(DEFAULT_PALETTE);
    ReleasePalette(window_);
    EXPECT_EQ(SelectedPalette(WorkDc.get()), stock);
    EXPECT_EQ(SelectedPalette(BackdropDc.get()), stock);
    EXPECT_EQ(PictureDc, nullptr) << "the shared contexts go with the palette";
    EXPECT_EQ(TargetDc, nullptr);
    EXPECT_EQ(GetObjectType(palette), 0u) << "deleted, not left selected somewhere";
    EXPECT_FALSE(DisplayPalette);
    EXPECT_EQ(SystemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
}

TEST_F(EightBitDisplay, WindowedRunKeepsTheStaticColoursYetRestoresThemAtTheStop) {
    Start();
    ASSERT_EQ(EraseWithOwnDc(window_), -1);
    ASSERT_TRUE(DisplayPalette);
    EXPECT_EQ(SystemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
    // Someone else took the static colours meanwhile: the stop still gives them back.
    SetSystemPaletteUseFor(nullptr, SYSPAL_NOSTATIC);
    StopDisplay(window_);
    EXPECT_FALSE(DisplayPalette);
    EXPECT_EQ(SystemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));
}

TEST_F(EightBitDisplay, StopTwiceReleasesThePaletteOnce) {
    WindowedMode = 0;
    Start();
    ASSERT_EQ(EraseWithOwnDc(window_), -1);
    const HPALETTE palette = DisplayPalette.get();
    ASSERT_NE(palette, nullptr);
    StopDisplay(window_);
    EXPECT_EQ(GetObjectType(palette), 0u);
    EXPECT_EQ(SystemPaletteUse(), static_cast<UINT>(SYSPAL_STATIC));

    // Whatever exists after the first stop belongs to others and stays as it is.
    SetSystemPaletteUseFor(nullptr, SYSPAL_NOSTATIC);
    const LOGPALETTE single = {0x300, 1, {{1, 2, 3, 0}}};
    UniquePalette other(CreatePalette(&single));
    ASSERT_TRUE(other);
    StopDisplay(window_);
    EXPECT_EQ(GetObjectType(other.get()), static_cast<DWORD>(OBJ_PAL));
    EXPECT_EQ(SystemPaletteUse(), static_cast<UINT>(SYSPAL_NOSTATIC));
    SetSystemPaletteUseFor(nullptr, SYSPAL_STATIC);
}

// A refresh realizes the palette again and repaints the whole window; the window's own
// realization, announced back to it, must not start another round.
TEST_F(EightBitDisplay, OnlyAnotherWindowsPaletteChangeRefreshesIt) {
    Start();
    ShowWindow(window_, SW_SHOWNA);  // erases, which builds the palette
    DrainMessages();
    ASSERT_TRUE(DisplayPalette);
    for (const PaletteMessageCase& c : PaletteMessageCases) {
        ValidateRect(window_, nullptr);
        const HWND sender = c.fromItself ? window_ : GetDesktopWindow();
        EXPECT_EQ(SendMessageA(window_, c.message, reinterpret_cast<WPARAM>(sender), 0), c.result) << c.what;
        EXPECT_EQ(HasUpdateRegion(window_), !c.fromItself) << c.what;
    }
}

}  // namespace
