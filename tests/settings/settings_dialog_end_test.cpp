#include <gtest/gtest.h>

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "images/image_list.h"
#include "images/shared_memory_dcs.h"
#include "resources/resource_ids.h"
#include "settings/dialog_picture.h"
#include "settings/saver_settings.h"
#include "settings/settings_dialog.h"
#include "tests/settings/settings_test_support.h"

#include <vector>

namespace {

using SettingsDialogEndTest = SettingsKeyTest;

// The dialog runs modal as the program runs it; every way out ends it with 1 and gives
// back the sample picture, its image and the shared contexts.
TEST_F(SettingsDialogEndTest, EveryEndGivesCodeOneAndReleasesThePicture) {
    for (const DialogEnd& c : DialogEnds) {
        DeleteSettingsKey();
        bool heldWhileOpen = false;
        bool posted = false;
        const INT_PTR result = RunSettingsDialog([&](HWND dialog) {
            if (posted) return;
            posted = true;
            heldWhileOpen = DialogPictureSurface.get() != nullptr && LiveImageCount == 1 && PictureDc != nullptr;
            PostMessageW(dialog, c.message, c.wParam, 0);
        });
        EXPECT_EQ(result, 1) << c.what;
        EXPECT_TRUE(heldWhileOpen) << c.what;
        EXPECT_EQ(DialogPictureSurface.get(), nullptr) << c.what;
        EXPECT_EQ(DialogPalette(), nullptr) << c.what;
        EXPECT_EQ(LiveImageCount, 0) << c.what;
        EXPECT_EQ(PictureDc, nullptr) << c.what;
        EXPECT_EQ(ReadStoredDword("Wait").has_value(), c.saves) << c.what;
    }
}

uint32_t AsDibPixel(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

TEST_F(SettingsDialogEndTest, SampleIsPaintedCentredThroughItsMask) {
    RECT area{};
    HWND dialog = OpenPaintedSettingsDialog(area);
    ASSERT_NE(dialog, nullptr);
    const int width = area.right, height = area.bottom;
    ASSERT_GT(width, 0);
    const std::vector<uint32_t> painted = ReadShownSample(dialog);

    // The same picture drawn on its own at the centre, by hand, over the button face.
    ImageList reference;
    reference.Create(1, nullptr);
    reference.SetImageSource(0, MAKEINTRESOURCEA(IDB_SAMPLE));
    Image* sample = reference.GetImage(0);
    ASSERT_NE(sample, nullptr);
    ASSERT_EQ(sample->Width(), 136);
    WindowDc screen(nullptr);
    UniqueMemoryDc expectedDc(CreateCompatibleDC(screen.get()));
    UniqueBitmap expectedBitmap(CreateCompatibleBitmap(screen.get(), width, height));
    screen.release();
    std::vector<uint32_t> expected;
    const int x = (width - sample->Width()) / 2, y = (height - sample->Height()) / 2;
    {
        SelectionGuard selected(expectedDc.get(), expectedBitmap.get());
        FillRect(expectedDc.get(), &area, GetSysColorBrush(COLOR_BTNFACE));
        reference.DrawImageAt(expectedDc.get(), x, y, 0);
        expected = ReadDcPixels(expectedDc.get(), width, height);
    }

    EXPECT_TRUE(painted == expected);
    // A palette of its own only where the display has one.
    HDC dialogDc = GetDC(dialog);
    const bool paletteDisplay = GetDeviceCaps(dialogDc, BITSPIXEL) == 8;
    ReleaseDC(dialog, dialogDc);
    EXPECT_EQ(DialogPalette() != nullptr, paletteDisplay);

    // The corner of the area is outside the sample: the button face, exact where no
    // palette approximates it.
    const uint32_t ground = painted[0] & 0xFFFFFF;
    if (!paletteDisplay) {
        EXPECT_EQ(ground, AsDibPixel(GetSysColor(COLOR_BTNFACE)));
    }
    size_t motif = 0;
    for (uint32_t pixel : painted) motif += (pixel & 0xFFFFFF) != ground;
    EXPECT_GT(motif, 1000u);
    // The sample's transparent ground, named by its top-left pixel, shows the same face.
    ASSERT_TRUE(x > 0 && y > 0);
    EXPECT_EQ(painted[static_cast<size_t>(y) * width + x] & 0xFFFFFF, ground);
    DestroyWindow(dialog);
    EXPECT_EQ(DialogPictureSurface.get(), nullptr);
    EXPECT_EQ(DialogPalette(), nullptr);
}

}  // namespace
