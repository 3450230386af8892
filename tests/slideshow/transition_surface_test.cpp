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

TEST(TransitionSurface, CreateBuffersMakesFrontAndFromSectionsOfTheArea) {
    struct Case {
        int32_t width, height, stride, padding;
    };
    for (const Case& c : {Case{1366, 10, 4100, 2}, Case{1, 3, 4, 1}, Case{640, 480, 1920, 0}, Case{65, 2, 196, 1}}) {
        TransitionSurface surface;
        surface.CreateBuffers(Area(c.width, c.height), BlockEffect);
        EXPECT_EQ(surface.Width(), c.width);
        EXPECT_EQ(surface.Height(), c.height);
        EXPECT_EQ(surface.Stride(), c.stride) << c.width;
        EXPECT_EQ(surface.RowPadding(), c.padding) << c.width;
        EXPECT_EQ(surface.EffectType(), static_cast<uint32_t>(BlockEffect));
        EXPECT_EQ(surface.TargetBitmap(), nullptr);
        EXPECT_NE(surface.PalettePicture(), nullptr);
        for (HBITMAP bitmap : {surface.FrontBitmap(), surface.FromBitmap()}) {
            DIBSECTION section{};
            ASSERT_EQ(GetObjectA(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
            EXPECT_EQ(section.dsBmih.biBitCount, 24);
            EXPECT_EQ(section.dsBmih.biHeight, c.height) << "bottom-up";
            EXPECT_EQ(section.dsBm.bmWidthBytes, c.stride);
        }
        EXPECT_NE(surface.FrontBits(), surface.FromBits());
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
        EXPECT_EQ(surface.FromBitmap(), nullptr);
        EXPECT_EQ(surface.EffectType(), static_cast<uint32_t>(ShadeEffect));
        ResetRandom();
        surface.PrepareNext(nullptr);
        EXPECT_EQ(surface.ReverseSweep(), 0);
        EXPECT_EQ(surface.TargetBitmap(), nullptr);
        for (int32_t step : {0, 1, 33}) EXPECT_EQ(surface.StepTransition(step), 0);
        EXPECT_EQ(RandomIndex, 0);
    }
}

TEST(TransitionSurface, PrepareSwapsFrontAndTargetAndGivesBackTheFrom) {
    SurfaceRig rig(200, 100, FadeEffect);
    EXPECT_EQ(rig.surface.BackdropSource(), rig.backdrop.Dc());
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.FromBits()), rig.backdrop.Bytes());
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
    EXPECT_EQ(rig.surface.FromBitmap(), nullptr) << "the from section is given back until a fade needs it";
    EXPECT_EQ(rig.surface.ReverseSweep(), 0);
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
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.TargetBits()), expected.bytes);
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

    std::vector<uint8_t> expected = rig.backdrop.Bytes();
    const int32_t stride = rig.surface.Stride();
    for (int32_t row = 0; row < PictureHeight; ++row) {
        // Bottom-up in both: the picture's top row lands on screen row y.
        const size_t targetRow = static_cast<size_t>(height - 1 - (y + row)) * stride;
        const size_t pictureRow = static_cast<size_t>(PictureHeight - 1 - row) * pixels.stride;
        std::memcpy(&expected[targetRow + 3 * x], &pixels.bytes[pictureRow], 3 * PictureWidth);
    }
    EXPECT_EQ(SectionBytes(rig.surface, rig.surface.TargetBits()), expected) << "box at " << x << "," << y;
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
    const HBITMAP sections[] = {rig.surface.FrontBitmap(), rig.surface.FromBitmap(), rig.surface.TargetBitmap()};
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
