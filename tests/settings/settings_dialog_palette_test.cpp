// The settings dialog on a 256-colour display: these run only where the screen has 8 bits
// per pixel (make wintest-8bit) and report themselves skipped everywhere else.
#include <gtest/gtest.h>

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "resources/resource_ids.h"
#include "settings/dialog_picture.h"
#include "settings/saver_settings.h"
#include "settings/settings_dialog.h"
#include "tests/images/bitmap_resource_palette.h"
#include "tests/settings/settings_test_support.h"

namespace {

// Realizes the dialog's palette in a context of the dialog and returns how many entries
// had to be mapped anew: 0 when the dialog has realized it since it was last unrealized.
UINT NewlyMappedEntries(HWND dialog) {
    WindowDc dc(dialog);
    SelectionGuard palette(dc.get(), DialogPalette());
    return RealizePalette(dc.get());
}

class EightBitSettingsDialog : public SettingsKeyTest {
protected:
    void SetUp() override {
        if (!OnPaletteDisplay()) GTEST_SKIP() << "needs a display of 8 bits per pixel";
        SettingsKeyTest::SetUp();
    }
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
        SettingsKeyTest::TearDown();
    }
    void Open() {
        dialog_ = CreateDialogParamW(ModuleInstance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void Paint() const {
        ShowWindow(dialog_, SW_SHOW);
        InvalidateRect(dialog_, nullptr, TRUE);
        UpdateWindow(dialog_);
    }

    HWND dialog_ = nullptr;
};

TEST_F(EightBitSettingsDialog, FirstPaintBuildsItFromTheSampleAndRealizesIt) {
    Open();
    EXPECT_EQ(DialogPalette(), nullptr) << "the palette waits for the first paint";
    EXPECT_EQ(SendMessageW(dialog_, WM_QUERYNEWPALETTE, 0, 0), 0) << "nothing to realize yet";

    Paint();
    const HPALETTE palette = DialogPalette();
    ASSERT_NE(palette, nullptr);
    const std::vector<PackedEntry> expected = PaletteOfBitmapResource(IDB_SAMPLE);
    ASSERT_EQ(expected.size(), 256u);
    EXPECT_EQ(LogicalPaletteEntries(palette), expected);
    EXPECT_EQ(GetCurrentObject(DialogPictureSurface.get(), OBJ_PAL), palette) << "the picture is drawn in its colours";
    EXPECT_EQ(NewlyMappedEntries(dialog_), 0u) << "the paint realized it";

    Paint();
    EXPECT_EQ(DialogPalette(), palette) << "later paints keep the one palette";
    EXPECT_EQ(SendMessageW(dialog_, WM_QUERYNEWPALETTE, 0, 0), 1);
}

// Where the sample is transparent the user sees the dialog's own face. On a palette screen
// the face is a dither of palette colours, so this holds pixel for pixel only when the mask's
// AND and OR keep every one of them and the dither lines up with the dialog's.
TEST_F(EightBitSettingsDialog, TransparentGroundShowsTheDialogFace) {
    Open();
    Paint();
    ASSERT_NE(DialogPalette(), nullptr);
    RECT placed{};
    GetWindowRect(GetDlgItem(dialog_, IDC_PICTURE), &placed);
    MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&placed), 2);
    const int width = placed.right - placed.left, height = placed.bottom - placed.top;

    std::vector<uint32_t> shown, face;
    {
        WindowDc dialogDc(dialog_);
        UniqueMemoryDc copyDc(CreateCompatibleDC(dialogDc.get()));
        UniqueBitmap copy(CreateCompatibleBitmap(dialogDc.get(), width, height));
        SelectionGuard selected(copyDc.get(), copy.get());
        BitBlt(copyDc.get(), 0, 0, width, height, dialogDc.get(), placed.left, placed.top, SRCCOPY);
        shown = ReadDcPixels(copyDc.get(), width, height);
        // The face as the dialog paints its own ground, right there.
        FillRect(dialogDc.get(), &placed, GetSysColorBrush(COLOR_BTNFACE));
        BitBlt(copyDc.get(), 0, 0, width, height, dialogDc.get(), placed.left, placed.top, SRCCOPY);
        face = ReadDcPixels(copyDc.get(), width, height);
    }

    const IndexedPicture sample = ReadIndexedBitmapResource(IDB_SAMPLE);
    ASSERT_GT(sample.Width, 0);
    const int left = (width - sample.Width) / 2, top = (height - sample.Height) / 2;
    ASSERT_TRUE(left >= 0 && top >= 0 && left + sample.Width <= width && top + sample.Height <= height);
    size_t transparent = 0, wrongGround = 0, motif = 0;
    for (int y = 0; y < sample.Height; ++y) {
        for (int x = 0; x < sample.Width; ++x) {
            const size_t at = static_cast<size_t>(top + y) * width + left + x;
            const bool differs = (shown[at] & 0xFFFFFF) != (face[at] & 0xFFFFFF);
            if (sample.At(x, y) == sample.TransparentIndex()) {
                ++transparent;
                wrongGround += differs;
            } else {
                motif += differs;
            }
        }
    }
    ASSERT_GT(transparent, 1000u);
    EXPECT_EQ(wrongGround, 0u) << "of " << transparent << " transparent pixels";
    EXPECT_GT(motif, 1000u) << "the picture itself is drawn";
}

TEST_F(EightBitSettingsDialog, OnlyAnotherWindowsPaletteChangeRealizesItAgain) {
    Open();
    Paint();
    ASSERT_NE(DialogPalette(), nullptr);
    for (const PaletteMessageCase& c : PaletteMessageCases) {
        // Forgets the mapping, as another window's realization would; only a refresh by the
        // dialog maps it again.
        UnrealizeObject(DialogPalette());
        const HWND sender = c.fromItself ? dialog_ : GetDesktopWindow();
        EXPECT_EQ(SendMessageW(dialog_, c.message, reinterpret_cast<WPARAM>(sender), 0), c.result) << c.what;
        const UINT mapped = NewlyMappedEntries(dialog_);
        if (c.fromItself) {
            EXPECT_GT(mapped, 0u) << c.what << ": the dialog realized its palette again";
        } else {
            EXPECT_EQ(mapped, 0u) << c.what << ": the dialog left its palette unrealized";
        }
    }
}

// Whichever way the modal dialog ends, its palette is deleted and the static system
// colours are back.
TEST_F(EightBitSettingsDialog, EveryEndReleasesIt) {
    for (const DialogEnd& c : DialogEnds) {
        HPALETTE palette = nullptr;
        const INT_PTR result = RunSettingsDialog([&](HWND dialog) {
            if (palette || !DialogPalette()) return;
            palette = DialogPalette();
            // As if the dialog had been switched to all 256 colours meanwhile.
            SetSystemPaletteUseFor(dialog, SYSPAL_NOSTATIC);
            PostMessageW(dialog, c.message, c.wParam, 0);
        });
        EXPECT_EQ(result, 1) << c.what;
        ASSERT_NE(palette, nullptr) << c.what << ": the shown dialog made no palette";
        EXPECT_EQ(GetObjectType(palette), 0u) << c.what;
        EXPECT_EQ(DialogPalette(), nullptr) << c.what;
        EXPECT_EQ(SystemPaletteUse(nullptr), static_cast<UINT>(SYSPAL_STATIC)) << c.what;
    }
}

}  // namespace
