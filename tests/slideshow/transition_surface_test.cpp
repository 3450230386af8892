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
#include "tests/slideshow/transition_surface_probe.h"

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
    TransitionSurfaceProbe probe{surface};
};

TEST(TransitionSurface, CreateBuffersMakesTheFrontSectionOfTheArea) {
    for (const RECT& area : {Area(1366, 10), Area(1, 3), Area(65, 2)}) {
        TransitionSurface surface;
        const TransitionSurfaceProbe probe(surface);
        surface.CreateBuffers(area, BlockEffect);
        EXPECT_EQ(surface.Width(), area.right);
        EXPECT_EQ(probe.Height(), area.bottom);
        EXPECT_EQ(probe.Stride(), 4 * area.right);
        EXPECT_EQ(probe.EffectType(), static_cast<uint32_t>(BlockEffect));
        EXPECT_EQ(probe.TargetBits(), nullptr);
        EXPECT_EQ(probe.BackdropBits(), nullptr);
        EXPECT_NE(surface.PalettePicture(), nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectA(probe.FrontBitmap(), sizeof(section), &section), static_cast<int>(sizeof(section)));
        EXPECT_EQ(section.dsBmih.biBitCount, 32);
        EXPECT_EQ(section.dsBmih.biHeight, area.bottom) << "bottom-up";
        EXPECT_EQ(section.dsBm.bmWidthBytes, probe.Stride());
    }
}

TEST(TransitionSurface, WithoutSectionsNothingIsPreparedOrRendered) {
    for (const RECT& area : {Area(0, 0), Area(-5, 10), RECT{10, 10, 10, 50}}) {
        TransitionSurface surface;
        const TransitionSurfaceProbe probe(surface);
        surface.CreateBuffers(area, ShadeEffect);
        EXPECT_EQ(surface.Width(), 0);
        EXPECT_EQ(probe.Height(), 0);
        EXPECT_EQ(probe.Stride(), 0);
        EXPECT_EQ(probe.FrontBitmap(), nullptr);
        EXPECT_EQ(probe.EffectType(), static_cast<uint32_t>(ShadeEffect));
        ResetRandom();
        surface.PrepareNext(nullptr);
        EXPECT_EQ(probe.ReverseSweep(), 0);
        EXPECT_EQ(probe.TargetBits(), nullptr);
        for (int32_t step : {0, 1, 33}) EXPECT_EQ(surface.StepTransition(step), 0);
        EXPECT_EQ(RandomIndex, 0);
    }
}

TEST(TransitionSurface, TakesTheBackdropAndComposesOverIt) {
    SurfaceRig rig(200, 100, FadeEffect);
    EXPECT_EQ(BackdropBytes(rig.surface), rig.backdrop.Bytes());
    EXPECT_EQ(FrontBytes(rig.surface), rig.backdrop.Bytes());
    EXPECT_EQ(rig.surface.StepTransition(5), 0) << "no target yet";

    rig.surface.PrepareNext(nullptr);
    EXPECT_EQ(rig.probe.TargetBits(), nullptr) << "no picture, no box";
    EXPECT_EQ(rig.probe.ReverseSweep(), 1);
    EXPECT_EQ(ComposedTarget(rig.surface), rig.backdrop.Bytes());
    EXPECT_EQ(rig.surface.StepTransition(5), 1);
    rig.surface.PrepareNext(nullptr);
    EXPECT_EQ(rig.probe.ReverseSweep(), 0);
}

// Prepares pictures until the old and the new box lie apart in both directions, so that
// their pieces around each other all occur.
void PrepareBoxesApart(TransitionSurface& surface, Image& first, Image& second) {
    ResetRandom();
    surface.PrepareNext(&first);
    PixelRect box;
    for (int tries = 0; tries < 20 && (box.Right - box.Left <= PictureWidth || box.Bottom - box.Top <= PictureHeight);
         ++tries) {
        for (int32_t step = 0; step <= LastTransitionStep; ++step) surface.StepTransition(step);
        surface.PrepareNext(tries % 2 ? &first : &second);
        box = TransitionSurfaceProbe(surface).ChangingBox();
    }
    ASSERT_GT(box.Right - box.Left, PictureWidth);
    ASSERT_GT(box.Bottom - box.Top, PictureHeight);
}

// Working box by box from the picture buffers, every step shows exactly what the effect gives
// over the whole frame, from the front as the transition begins to the composed target.
TEST(TransitionSurface, EveryStepShowsTheWholeFrameEffect) {
    constexpr int32_t width = 1300, height = 900;
    for (uint32_t effect : {FadeEffect, ShadeEffect, BlockEffect}) {
        SurfaceRig rig(width, height, effect);
        JpegImage first, second;
        first.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST));
        second.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST + 1));
        PrepareBoxesApart(rig.surface, first, second);
        std::vector<uint8_t> model = FrontBytes(rig.surface);
        const std::vector<uint8_t> from = Narrowed(model);
        const std::vector<uint8_t> target = Narrowed(ComposedTarget(rig.surface));
        const TransitionPixels whole{model.data(), from.data(), target.data(), width, height, rig.probe.Stride(),
                                     3 * width,    3 * width,   0,             0,     width};
        for (int32_t step = 0; step <= LastTransitionStep; ++step) {
            rig.surface.StepTransition(step);
            RenderTransitionStep(whole, effect, step, rig.probe.ReverseSweep() != 0);
            ASSERT_EQ(FrontBytes(rig.surface), model) << effect << " step " << step;
        }
    }
}

// A transition cut short is completed before the next picture: the front shows the target it
// was going to, and reports that change.
TEST(TransitionSurface, PreparingCompletesTheTransitionUnderWay) {
    SurfaceRig rig(1300, 900, BlockEffect);
    JpegImage first, second;
    first.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST));
    second.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST + 1));
    PrepareBoxesApart(rig.surface, first, second);
    const std::vector<uint8_t> target = ComposedTarget(rig.surface);
    const PixelRect box = rig.probe.ChangingBox();
    for (int32_t step = 0; step < 10; ++step) rig.surface.StepTransition(step);
    std::vector<PixelRect> changes;
    rig.surface.TakeFrontChanges(changes);

    rig.surface.PrepareNext(&first);
    EXPECT_EQ(FrontBytes(rig.surface), target);
    changes.clear();
    rig.surface.TakeFrontChanges(changes);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].Left == box.Left && changes[0].Top == box.Top && changes[0].Right == box.Right &&
                changes[0].Bottom == box.Bottom);
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
    EXPECT_EQ(ComposedTarget(rig.surface),
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

    EXPECT_EQ(ComposedTarget(rig.surface), WithPictureAt(rig.backdrop, height, pixels, x, y))
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
        EXPECT_EQ(ComposedTarget(rig.surface), expected) << c.width << "x" << c.height;
    }
}

TEST(TransitionSurface, PictureThatFailsToLoadLeavesTheBareBackdrop) {
    SurfaceRig rig(300, 200, FadeEffect, RGB(200, 10, 10));
    JpegImage missing;
    missing.SetSource(MAKEINTRESOURCEA(40000));
    ResetRandom();
    rig.surface.PrepareNext(&missing);
    EXPECT_EQ(RandomIndex, 2);
    EXPECT_EQ(rig.probe.ReverseSweep(), 1);
    EXPECT_EQ(ComposedTarget(rig.surface), rig.backdrop.Bytes());
}

TEST(TransitionSurface, ReleaseBuffersDeletesEverySectionOnce) {
    SurfaceRig rig(640, 480, FadeEffect);
    JpegImage picture;
    picture.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST));
    rig.surface.PrepareNext(&picture);
    const HBITMAP sections[] = {rig.probe.FrontBitmap(), rig.probe.TargetBitmap()};
    for (HBITMAP section : sections) ASSERT_EQ(GetObjectType(section), static_cast<DWORD>(OBJ_BITMAP));
    const uint16_t imagesBefore = LiveImageCount;

    rig.surface.ReleaseBuffers();
    for (HBITMAP section : sections) EXPECT_EQ(GetObjectType(section), 0u);
    EXPECT_EQ(LiveImageCount, imagesBefore - 1) << "the palette picture goes too";
    EXPECT_EQ(rig.surface.PalettePicture(), nullptr);
    EXPECT_EQ(rig.surface.Width(), 0);
    EXPECT_EQ(rig.probe.Height(), 0);
    EXPECT_EQ(rig.probe.EffectType(), 0u);
    EXPECT_EQ(rig.surface.StepTransition(33), 0);
    EXPECT_EQ(rig.probe.BackdropBits(), nullptr);
    EXPECT_EQ(rig.probe.TargetBits(), nullptr);
    rig.surface.ReleaseBuffers();
    EXPECT_EQ(rig.probe.FrontBitmap(), nullptr);
}

}  // namespace
