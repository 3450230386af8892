#include <gtest/gtest.h>

#include <algorithm>

#include "images/picture_scale.h"
#include "images/screen_dpi.h"
#include "resources/resource_ids.h"
#include "settings/about_box.h"
#include "settings/picture_corner.h"
#include "tests/images/bitmap_resource_palette.h"
#include "tests/settings/settings_test_support.h"

namespace {

constexpr int DoubleDpi = 192;
constexpr int GiveUpTick = 20;
// At 100 % the sample takes about three quarters of its control's width and the About
// picture nearly all of its; a picture left at its own size would take well under half.
constexpr double MostOfTheControl = 0.6;

uint32_t Packed(const RGBQUAD& colour) {
    return (static_cast<uint32_t>(colour.rgbRed) << 16) | (colour.rgbGreen << 8) | colour.rgbBlue;
}

// On a desktop scaled to 200 % (make wintest-scaled) the sample and the About picture are
// shown at twice their size, in controls that have grown as much; at other scales it skips.
TEST(ScaledDialog, PicturesFillTheirControlsAtTwiceTheirSize) {
    SetProcessDPIAware();
    if (PrimaryMonitorDpi() != DoubleDpi) GTEST_SKIP() << "needs a desktop at 200 %";

    RECT area{};
    HWND dialog = OpenPaintedSettingsDialog(area);
    ASSERT_NE(dialog, nullptr);
    const IndexedPicture sample = ReadIndexedBitmapResource(IDB_SAMPLE_200);
    ASSERT_EQ(sample.Width, ScaledLength(ReadIndexedBitmapResource(IDB_SAMPLE).Width, DoubleDpi));
    const std::vector<uint32_t> shown = ReadShownSample(dialog);
    const PictureCorner corner = CentrePicture(area.right, area.bottom, sample.Width, sample.Height);
    const uint32_t face = Packed(RGBQUAD{GetBValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                                         GetRValue(GetSysColor(COLOR_BTNFACE)), 0});
    size_t compared = 0, wrong = 0;
    for (int y = std::max(0, -corner.Y); y < sample.Height && corner.Y + y < area.bottom; ++y) {
        for (int x = std::max(0, -corner.X); x < sample.Width && corner.X + x < area.right; ++x) {
            const uint8_t index = sample.At(x, y);
            const uint32_t expected = index == sample.TransparentIndex() ? face : Packed(sample.ColourTable[index]);
            ++compared;
            wrong += (shown[static_cast<size_t>(corner.Y + y) * area.right + corner.X + x] & 0xFFFFFF) != expected;
        }
    }
    EXPECT_GT(compared, static_cast<size_t>(sample.Width * sample.Height * 8 / 10));
    EXPECT_EQ(wrong, 0u) << "of " << compared << " pixels of the sample painted at 200 %";
    EXPECT_GE(static_cast<double>(sample.Width) / area.right, MostOfTheControl) << area.right;

    HWND box = nullptr;
    BITMAP picture{};
    RECT pictureArea{};
    TimerDriver driver([&](int tick) {
        if (!box && (box = FindThreadDialog(dialog)) != nullptr) {
            HWND control = GetWindow(box, GW_CHILD);
            GetClientRect(control, &pictureArea);
            GetObjectW(reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof(picture),
                       &picture);
            PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        }
        return tick < GiveUpTick;
    });
    ShowAboutBox(dialog);
    EXPECT_EQ(picture.bmWidth, ScaledLength(340, DoubleDpi));
    EXPECT_EQ(picture.bmHeight, ScaledLength(230, DoubleDpi));
    EXPECT_GE(static_cast<double>(picture.bmWidth) / pictureArea.right, MostOfTheControl) << pictureArea.right;
    DestroyWindow(dialog);
}

}  // namespace
