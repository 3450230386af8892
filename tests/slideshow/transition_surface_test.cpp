#include "slideshow/transition_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "images/image.h"
#include "images/jpeg_image.h"
#include "images/shared_memory_dcs.h"
#include "resources/resource_ids.h"
#include "slideshow/random_generator.h"
#include "tests/slideshow/slideshow_test_support.h"

namespace {

constexpr int32_t PictureWidth = 1024;
constexpr int32_t PictureHeight = 768;

RECT Area(int32_t width, int32_t height) { return RECT{0, 0, width, height}; }

// A surface of the size over a solid backdrop, composed from it as the scene does.
struct SurfaceRig {
    SurfaceRig(int32_t width, int32_t height, uint32_t effect, COLORREF colour = RigBackdrop)
        : backdrop(width, height, colour), scratch(CreateCompatibleDC(nullptr)) {
        surface.CreateBuffers(Area(width, height), effect);
        surface.TakeBackdrop(scratch.get(), backdrop.Dc());
    }
    SolidSection backdrop;
    UniqueMemoryDc scratch;
    TransitionSurface surface;
};

TEST(TransitionSurface, CreateBuffersMakesTheFrontSectionOfTheArea) {
    for (const RECT& area : {Area(1366, 10), Area(1, 3), Area(65, 2)}) {
        TransitionSurface surface;
        surface.CreateBuffers(area, BlockEffect);
        EXPECT_EQ(surface.Width(), area.right);
        EXPECT_EQ(surface.Height(), area.bottom);
        EXPECT_EQ(surface.Stride(), 4 * area.right);
        EXPECT_EQ(surface.EffectType(), static_cast<uint32_t>(BlockEffect));
        EXPECT_EQ(surface.TargetBitmap(), nullptr);
        EXPECT_EQ(surface.FromBits(), nullptr);
        EXPECT_NE(surface.PalettePicture(), nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectA(surface.FrontBitmap(), sizeof(section), &section), static_cast<int>(sizeof(section)));
        EXPECT_EQ(section.dsBmih.biBitCount, 32);
        EXPECT_EQ(section.dsBmih.biHeight, area.bottom) << "bottom-up";
        EXPECT_EQ(section.dsBm.bmWidthBytes, surface.Stride());
    }
}

TEST(TransitionSurface, WithoutSectionsNothingIsPreparedOrRendered) {
    for (const RECT& area : {Area(0, 0), Area(-5, 10), RECT{10, 10, 10, 50}}) {
        TransitionSurface surface;
        surface.CreateBuffers(area, ShadeEffect);
        EXPECT_EQ(surface.Width(), 0);
        EXPECT_EQ(surface.Height(), 0);
        EXPECT_EQ(surface.Stride(), 0);
        EXPECT_EQ(surface.FrontBitmap(), nullptr);
        EXPECT_EQ(surface.EffectType(), static_cast<uint32_t>(ShadeEffect));
        ResetRandom();
        surface.PrepareNext(nullptr);
        EXPECT_EQ(surface.ReverseSweep(), 0);
        EXPECT_EQ(surface.TargetBitmap(), nullptr);
        for (int32_t step : {0, 1, 33}) EXPECT_EQ(surface.StepTransition(step), 0);
        EXPECT_EQ(RandomIndex, 0);
    }
}

TEST(TransitionSurface, PrepareSwapsFrontAndTarget) {
    SurfaceRig rig(200, 100, FadeEffect);
    EXPECT_EQ(rig.surface.BackdropSource(), rig.backdrop.Dc());
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.FrontBits()), rig.backdrop.Bytes());
    EXPECT_EQ(rig.surface.StepTransition(5), 0) << "no target yet";

    rig.surface.PrepareNext(nullptr);
    ASSERT_NE(rig.surface.TargetBitmap(), nullptr);
    EXPECT_EQ(rig.surface.ReverseSweep(), 1);
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.TargetBits()), rig.backdrop.Bytes());

    const HBITMAP front = rig.surface.FrontBitmap(), target = rig.surface.TargetBitmap();
    const uint8_t* frontBits = rig.surface.FrontBits();
    const uint8_t* targetBits = rig.surface.TargetBits();
    rig.surface.PrepareNext(nullptr);
    EXPECT_EQ(rig.surface.FrontBitmap(), target);
    EXPECT_EQ(rig.surface.TargetBitmap(), front);
    EXPECT_EQ(rig.surface.FrontBits(), targetBits);
    EXPECT_EQ(rig.surface.TargetBits(), frontBits);
    EXPECT_EQ(rig.surface.ReverseSweep(), 0);
}

// The fade starts from a copy of the front within the old and the new picture's boxes, and
// gives it back once its last step is shown.
TEST(TransitionSurface, FadeCopiesTheFrontWithinTheChangingBoxForItsSteps) {
    constexpr int32_t width = 1300, height = 900;
    SurfaceRig rig(width, height, FadeEffect);
    JpegImage first, second;
    first.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST));
    second.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST + 1));
    ResetRandom();
    rig.surface.PrepareNext(&first);
    // Transitions run to their end until two pictures lie apart in both directions.
    PixelRect box;
    for (int tries = 0; tries < 20 && (box.Right - box.Left <= PictureWidth || box.Bottom - box.Top <= PictureHeight);
         ++tries) {
        for (int32_t step = 0; step <= LastTransitionStep; ++step) rig.surface.StepTransition(step);
        rig.surface.PrepareNext(tries % 2 ? &first : &second);
        box = rig.surface.ChangingBox();
    }
    ASSERT_GT(box.Right - box.Left, PictureWidth);
    ASSERT_GT(box.Bottom - box.Top, PictureHeight);
    const std::vector<uint8_t> shown = SectionBytes(rig.surface, rig.surface.FrontBits());

    rig.surface.StepTransition(0);
    ASSERT_NE(rig.surface.FromBits(), nullptr);
    const size_t rowBytes = static_cast<size_t>(RowStride32(box.Right - box.Left));
    for (int32_t row = box.Top; row < box.Bottom; ++row) {
        const size_t frontRow = static_cast<size_t>(height - 1 - row) * rig.surface.Stride() + RowStride32(box.Left);
        const size_t copyRow = static_cast<size_t>(box.Bottom - 1 - row) * rowBytes;
        ASSERT_EQ(std::memcmp(rig.surface.FromBits() + copyRow, shown.data() + frontRow, rowBytes), 0) << row;
    }
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.FrontBits()), shown) << "step 0 shows the old picture";
    for (int32_t step = 1; step < LastEffectStep; ++step) rig.surface.StepTransition(step);
    EXPECT_NE(rig.surface.FromBits(), nullptr);
    rig.surface.StepTransition(LastEffectStep);
    EXPECT_EQ(rig.surface.FromBits(), nullptr);
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.FrontBits()), SectionBytes(rig.surface, rig.surface.TargetBits()));
}

TEST(TransitionSurface, PictureOfTheSurfaceSizeIsDrawnAtTheOriginAndReleased) {
    SurfaceRig rig(PictureWidth, PictureHeight, FadeEffect);
    JpegImage picture;
    picture.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST));
    const PicturePixels expected = ReadPicture(picture);
    ASSERT_EQ(expected.width, PictureWidth);
    ASSERT_EQ(expected.height, PictureHeight);

    const HGDIOBJ selectedBefore = GetCurrentObject(TargetDc, OBJ_BITMAP);
    ResetRandom();
    rig.surface.PrepareNext(&picture);
    EXPECT_EQ(RandomIndex, 2) << "the left and top edges are drawn even with no room";
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.TargetBits()),
              WithPictureAt(rig.backdrop, PictureHeight, expected, 0, 0));
    EXPECT_EQ(picture.Bitmap(), nullptr) << "the decoded picture is given back at once";
    EXPECT_EQ(GetCurrentObject(TargetDc, OBJ_BITMAP), selectedBefore);
}

TEST(TransitionSurface, LargerSurfaceHoldsThePictureUnscaledInTheDrawnBox) {
    constexpr int32_t width = 1600, height = 1200;
    SurfaceRig rig(width, height, ShadeEffect);
    JpegImage picture;
    picture.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST + 3));
    const PicturePixels pixels = ReadPicture(picture);
    ASSERT_EQ(pixels.width, PictureWidth);

    ResetRandom();
    const int32_t x = static_cast<int32_t>(RandomBelow(width - PictureWidth));
    const int32_t y = static_cast<int32_t>(RandomBelow(height - PictureHeight));
    ResetRandom();
    rig.surface.PrepareNext(&picture);

    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.TargetBits()), WithPictureAt(rig.backdrop, height, pixels, x, y))
        << "box at " << x << "," << y;
}

TEST(TransitionSurface, SmallerSurfaceStretchesThePictureIntoItsBox) {
    struct Case {
        int32_t width, height;
        int32_t boxX, boxY, boxWidth, boxHeight;  // before the random offset
        bool randomX;
    };
    // 640 x 480 takes the whole area; 1280 x 700 has room across only, and the 4:3 box of
    // 1024 x 700 is 933 x 700, centred 45 pixels in.
    for (const Case& c : {Case{640, 480, 0, 0, 640, 480, false}, Case{1280, 700, 45, 0, 933, 700, true}}) {
        SurfaceRig rig(c.width, c.height, BlockEffect);
        JpegImage picture;
        picture.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST + 1));
        ResetRandom();
        const int32_t offset = static_cast<int32_t>(RandomBelow(c.width - std::min(c.width, PictureWidth)));
        EXPECT_EQ(offset != 0, c.randomX);
        ResetRandom();
        rig.surface.PrepareNext(&picture);
        EXPECT_EQ(RandomIndex, 2);
        const std::vector<uint8_t> expected = BackdropWithStretchedPicture(
            c.width, c.height, RigBackdrop, picture, c.boxX + offset, c.boxY, c.boxWidth, c.boxHeight);
        EXPECT_EQ(SectionBytes(rig.surface, rig.surface.TargetBits()), expected) << c.width << "x" << c.height;
    }
}

TEST(TransitionSurface, PictureThatFailsToLoadLeavesTheBareBackdrop) {
    SurfaceRig rig(300, 200, FadeEffect);
    rig.backdrop.Fill(RGB(200, 10, 10));
    JpegImage missing;
    missing.SetSource(MAKEINTRESOURCEA(40000));
    ResetRandom();
    rig.surface.PrepareNext(&missing);
    EXPECT_EQ(RandomIndex, 2);
    EXPECT_EQ(rig.surface.ReverseSweep(), 1);
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.TargetBits()), rig.backdrop.Bytes());
}

TEST(TransitionSurface, ReleaseBuffersDeletesEverySectionOnce) {
    SurfaceRig rig(64, 64, FadeEffect);
    rig.surface.PrepareNext(nullptr);
    const HBITMAP sections[] = {rig.surface.FrontBitmap(), rig.surface.TargetBitmap()};
    for (HBITMAP section : sections) ASSERT_EQ(GetObjectType(section), static_cast<DWORD>(OBJ_BITMAP));
    const uint16_t imagesBefore = LiveImageCount;

    rig.surface.ReleaseBuffers();
    for (HBITMAP section : sections) EXPECT_EQ(GetObjectType(section), 0u);
    EXPECT_EQ(LiveImageCount, imagesBefore - 1) << "the palette picture goes too";
    EXPECT_EQ(rig.surface.PalettePicture(), nullptr);
    EXPECT_EQ(rig.surface.Width(), 0);
    EXPECT_EQ(rig.surface.Height(), 0);
    EXPECT_EQ(rig.surface.EffectType(), 0u);
    EXPECT_EQ(rig.surface.StepTransition(33), 0);
    rig.surface.ReleaseBuffers();
    EXPECT_EQ(rig.surface.FrontBitmap(), nullptr);
}

}  // namespace
