#include "slideshow/slideshow_scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <set>
#include <vector>

#include "images/image.h"
#include "images/jpeg_image.h"
#include "images/shared_memory_dcs.h"
#include "resources/resource_ids.h"
#include "settings/saver_settings.h"
#include "slideshow/random_generator.h"
#include "tests/slideshow/slideshow_test_support.h"

namespace {

constexpr uint32_t DefaultHold = 300;
constexpr int32_t ChoiceFrame = LastTransitionStep + 2;

std::vector<uint8_t> Front(const SlideshowScene& scene) {
    return FrontBytes(scene.Surface());
}

TEST(SlideshowScene, OpenAndAttachPrepareWithoutChoosing) {
    SceneRig rig(320, 240, FadeEffect, DefaultHold, false);
    const SlideshowScene& scene = *rig.scene;
    EXPECT_EQ(scene.IsOpen(), 1);
    EXPECT_EQ(scene.Position().HoldFrames, InitialHoldFrames);
    EXPECT_EQ(scene.Surface().Width(), 320);
    EXPECT_EQ(TransitionSurfaceProbe(scene.Surface()).TargetBits(), nullptr);
    ASSERT_NE(scene.Surface().PalettePicture(), nullptr);
    EXPECT_NE(scene.Surface().PalettePicture()->Bitmap(), nullptr) << "Attach loads the palette picture";
    rig.scene->Advance(1);
    EXPECT_EQ(scene.Position().HoldFrames, InitialHoldFrames - 1);
    EXPECT_EQ(RandomIndex, 0);
}

TEST(SlideshowScene, PicturesComeInTheGeneratorsOrder) {
    SceneRig rig(1024, 768, ShadeEffect, 0);
    std::vector<int32_t> order{rig.scene->Position().CurrentPicture};
    while (order.size() < 6) {
        rig.RunToNextChoice();
        order.push_back(rig.scene->Position().CurrentPicture);
    }
    EXPECT_EQ(order, (std::vector<int32_t>{0, 2, 1, 5, 0, 1}));
}

// Each choice composes the embedded picture of its number, unscaled, into the target's box.
TEST(SlideshowScene, TheChosenPictureIsTheOneComposed) {
    constexpr int32_t height = 1024;
    SceneRig rig(1280, height, ShadeEffect, 0);
    for (int choice = 0; choice < 3; ++choice) {
        if (choice > 0) rig.RunToNextChoice();
        JpegImage picture;
        picture.SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST + rig.scene->Position().CurrentPicture));
        const PicturePixels pixels = ReadPicture(picture);
        ASSERT_GT(pixels.width, 0);
        const PixelRect box = TransitionSurfaceProbe(rig.scene->Surface()).TargetBox();
        ASSERT_EQ(box.Right - box.Left, pixels.width);
        EXPECT_EQ(ComposedTarget(rig.scene->Surface()), WithPictureAt(rig.backdrop, height, pixels, box.Left, box.Top))
            << "choice " << choice;
    }
}

TEST(SlideshowScene, NeverTheSamePictureTwiceInARow) {
    SceneRig rig(64, 48, BlockEffect, 0, false);
    SeedRandom(0x5EED);
    rig.Compose();
    std::set<int32_t> seen{rig.scene->Position().CurrentPicture};
    for (int choice = 0; choice < 120; ++choice) {
        const int32_t before = rig.scene->Position().CurrentPicture;
        rig.RunToNextChoice();
        ASSERT_NE(rig.scene->Position().CurrentPicture, before) << "choice " << choice;
        seen.insert(rig.scene->Position().CurrentPicture);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(IDR_PICTURE_COUNT));
}

// One frame per call: frames 1..36 render steps 0..35, frame 37 chooses, 38..337 hold and
// frame 338 renders the next transition's step 0.
TEST(SlideshowScene, FramesOfOneCycle) {
    SceneRig rig(96, 64, FadeEffect, DefaultHold);
    SlideshowScene& scene = *rig.scene;
    const TransitionSurface& surface = scene.Surface();
    const int32_t first = scene.Position().CurrentPicture;
    scene.Advance(0);
    EXPECT_EQ(scene.Position().StepCounter, 0);
    const std::vector<uint8_t> before = Front(scene);
    for (int32_t frame = 1; frame <= LastTransitionStep + 1; ++frame) {
        scene.Advance(1);
        ASSERT_EQ(scene.Position().StepCounter, frame);
        if (frame == 1) {
            EXPECT_EQ(Front(scene), before) << "step 0 shows the picture faded from";
        }
        if (frame == LastEffectStep + 1) {
            EXPECT_EQ(Front(scene), ComposedTarget(surface));
        }
    }
    const std::vector<uint8_t> shown = Front(scene);
    scene.Advance(1);
    EXPECT_EQ(scene.Position().StepCounter, 0);
    EXPECT_EQ(scene.Position().HoldFrames, static_cast<int32_t>(DefaultHold));
    EXPECT_EQ(scene.FramesUnchanged(), DefaultHold) << "the loop may wait through the hold";
    EXPECT_NE(scene.Position().CurrentPicture, first);
    EXPECT_EQ(Front(scene), shown) << "the choice changes nothing on screen";
    for (uint32_t frame = ChoiceFrame + 1; frame <= ChoiceFrame + DefaultHold; ++frame) {
        scene.Advance(1);
        ASSERT_EQ(scene.Position().StepCounter, 0) << frame;
    }
    EXPECT_EQ(scene.Position().HoldFrames, 0);
    EXPECT_EQ(scene.FramesUnchanged(), 0u);
    EXPECT_EQ(Front(scene), shown);
    scene.Advance(1);
    EXPECT_EQ(scene.Position().StepCounter, 1);
}

// A batch of three due frames renders one fade step (its last frame) but three steps of
// the cumulative effects, each exactly as the kernel renders it. The first composition
// happens once per process, so every effect is its own test.
struct BatchCase {
    uint32_t effect;
    int32_t steps;
};

class SlideshowBatch : public testing::TestWithParam<BatchCase> {};

TEST_P(SlideshowBatch, ThreeFramesRenderTheEffectsSteps) {
    const BatchCase c = GetParam();
    SceneRig rig(200, 130, c.effect, DefaultHold);
    SlideshowScene& scene = *rig.scene;
    const TransitionSurface& s = scene.Surface();
    scene.Advance(1);
    // Step 0 shows the picture faded from; the other effects never read it.
    std::vector<uint8_t> front = Front(scene);
    const std::vector<uint8_t> from = Narrowed(front);
    const std::vector<uint8_t> target = Narrowed(ComposedTarget(s));
    const TransitionSurfaceProbe probe(s);
    const TransitionPixels model{front.data(), from.data(),   target.data(), s.Width(), probe.Height(), probe.Stride(),
                                 3 * s.Width(), 3 * s.Width(), 0,             0,         s.Width()};
    for (int32_t step = 1; step <= c.steps; ++step) RenderTransitionStep(model, c.effect, step, true);

    scene.Advance(3);
    EXPECT_EQ(scene.Position().StepCounter, 1 + c.steps);
    EXPECT_EQ(Front(scene), front);
}

INSTANTIATE_TEST_SUITE_P(Effects, SlideshowBatch,
                         testing::Values(BatchCase{FadeEffect, 1}, BatchCase{ShadeEffect, 3}, BatchCase{BlockEffect, 3}));

TEST(SlideshowScene, FadeBatchCountsHoldFramesFirst) {
    SceneRig rig(80, 60, FadeEffect, 2);
    rig.RunToNextChoice();
    SlideshowScene& scene = *rig.scene;
    ASSERT_EQ(scene.Position().HoldFrames, 2);
    ASSERT_EQ(scene.Position().StepCounter, 0);
    scene.Advance(5);
    EXPECT_EQ(scene.Position().HoldFrames, 0);
    EXPECT_EQ(scene.Position().StepCounter, 1);
}

TEST(SlideshowScene, WaitIsReadAtEachChoice) {
    SceneRig rig(80, 60, ShadeEffect, 5);
    for (uint32_t wait : {7u, 0u, 3u}) {
        SaverSettings.Wait = wait;
        rig.RunToNextChoice();
        EXPECT_EQ(rig.scene->Position().HoldFrames, static_cast<int32_t>(wait));
    }
}

TEST(SlideshowScene, ComposeWorksOnceAndOnlyAfterAttach) {
    SolidSection backdrop(160, 120, RGB(1, 2, 3));
    UniqueMemoryDc scratch(CreateCompatibleDC(nullptr));
    SlideshowScene scene;
    const RECT area{0, 0, 160, 120};
    ResetRandom();
    scene.Open(area, 0);
    scene.Compose(nullptr, scratch.get(), backdrop.Dc());
    EXPECT_EQ(TransitionSurfaceProbe(scene.Surface()).BackdropBits(), nullptr);
    EXPECT_EQ(TransitionSurfaceProbe(scene.Surface()).TargetBits(), nullptr);
    EXPECT_EQ(RandomIndex, 0);

    scene.Attach(nullptr, area);
    scene.Compose(nullptr, scratch.get(), backdrop.Dc());
    EXPECT_EQ(BackdropBytes(scene.Surface()), backdrop.Bytes());
    EXPECT_EQ(Front(scene), backdrop.Bytes());
    EXPECT_EQ(scene.Position().HoldFrames, 0);
    EXPECT_EQ(RandomIndex, 3) << "the first picture, then its left and top edges";

    SolidSection other(160, 120, RGB(9, 9, 9));
    scene.Compose(nullptr, scratch.get(), other.Dc());
    EXPECT_EQ(BackdropBytes(scene.Surface()), backdrop.Bytes());
    EXPECT_EQ(Front(scene), backdrop.Bytes());
    EXPECT_EQ(RandomIndex, 3);
}

// A long stall arrives as one call; it is worked off frame by frame without recursion.
TEST(SlideshowScene, LongStallUnderFadeRendersOneStep) {
    SceneRig rig(64, 48, FadeEffect, DefaultHold);
    rig.scene->Advance(100000);
    EXPECT_EQ(rig.scene->Position().StepCounter, 1);
    EXPECT_EQ(rig.scene->Position().HoldFrames, 0);
}

TEST(SlideshowScene, LongStallUnderShadeCountsEveryFrame) {
    constexpr uint32_t wait = 60000;
    SceneRig rig(64, 48, ShadeEffect, wait);
    rig.scene->Advance(100000);
    // Two transitions with their choices of 37 frames each and one full hold leave this much hold.
    EXPECT_EQ(rig.scene->Position().HoldFrames, static_cast<int32_t>(wait - (100000 - 2 * ChoiceFrame - wait)));
    EXPECT_EQ(rig.scene->Position().StepCounter, 0);
}

TEST(SlideshowScene, PaintCopiesTheFrontOnceOpened) {
    constexpr int32_t width = 120, height = 90;
    SolidSection canvas(width, height, RGB(255, 255, 255));
    const std::vector<uint8_t> blank = canvas.Bytes();
    SlideshowScene unopened;
    unopened.Paint(nullptr, canvas.Dc(), nullptr, nullptr);
    EXPECT_EQ(canvas.Bytes(), blank);

    SceneRig rig(width, height, BlockEffect, DefaultHold);
    rig.scene->Advance(20);
    const HGDIOBJ selectedBefore = GetCurrentObject(PictureDc, OBJ_BITMAP);
    rig.scene->Paint(nullptr, canvas.Dc(), rig.scratch.get(), rig.backdrop.Dc());
    EXPECT_EQ(canvas.Bytes(), Front(*rig.scene));
    EXPECT_EQ(GetCurrentObject(PictureDc, OBJ_BITMAP), selectedBefore);
}

TEST(SlideshowScene, PaletteEntriesComeFromThePalettePicture) {
    PALETTEENTRY untouched[PaletteEntryCount];
    std::fill(std::begin(untouched), std::end(untouched), PALETTEENTRY{0xAB, 0xAB, 0xAB, 0xAB});
    PALETTEENTRY entries[PaletteEntryCount];
    std::copy(std::begin(untouched), std::end(untouched), entries);
    SlideshowScene unopened;
    unopened.GetPaletteEntries(entries);
    EXPECT_EQ(std::memcmp(entries, untouched, sizeof(entries)), 0);

    SceneRig rig(64, 48, FadeEffect, DefaultHold, false);
    rig.scene->GetPaletteEntries(entries);
    Image palette;
    palette.SetSource(MAKEINTRESOURCEA(IDB_PALETTE));
    PALETTEENTRY expected[PaletteEntryCount];
    std::copy(std::begin(untouched), std::end(untouched), expected);
    palette.GetPaletteEntries(expected);
    EXPECT_NE(std::memcmp(expected, untouched, sizeof(expected)), 0);
    EXPECT_EQ(std::memcmp(entries, expected, sizeof(entries)), 0);
}

TEST(SlideshowScene, DestructionReleasesPicturesSectionsAndSharedContexts) {
    ASSERT_EQ(LiveImageCount, 0);
    SceneRig rig(64, 48, ShadeEffect, DefaultHold);
    EXPECT_EQ(LiveImageCount, IDR_PICTURE_COUNT + 1);
    const TransitionSurfaceProbe probe(rig.scene->Surface());
    const HBITMAP sections[] = {probe.FrontBitmap(), probe.TargetBitmap()};
    rig.scene.reset();
    for (HBITMAP section : sections) EXPECT_EQ(GetObjectType(section), 0u);
    EXPECT_EQ(LiveImageCount, 0);
    EXPECT_EQ(PictureDc, nullptr);
    EXPECT_EQ(TargetDc, nullptr);
}


// One Advance of many frames ends exactly where playing its frames one by one ends: the same
// counters, pictures, generator state and pixels, whether the call ends in a hold, at a
// choice or in any part of a transition.
struct ShowEnd {
    SlideshowPosition position;
    uint16_t randomIndex;
    std::vector<uint32_t> ring;
    std::vector<uint8_t> front;
};

ShowEnd PlayedFrom(uint32_t effect, uint32_t wait, int start, uint32_t frames, bool batched) {
    // Each play composes afresh.
    ComposePending = 1;
    SceneRig rig(1100, 830, effect, wait);
    rig.scene->Advance(static_cast<uint32_t>(start));
    if (batched) {
        rig.scene->Advance(frames);
    } else {
        for (uint32_t remaining = frames; remaining > 0; --remaining) {
            const SlideshowPosition p = rig.scene->Position();
            // Within one call a fade steps on the call's last frame only.
            const bool fadeWaits = effect == FadeEffect && p.HoldFrames == 0 && p.StepCounter <= LastTransitionStep;
            if (!fadeWaits || remaining == 1) rig.scene->Advance(1);
        }
    }
    return {rig.scene->Position(), RandomIndex, std::vector<uint32_t>(std::begin(RandomRing), std::end(RandomRing)),
            Front(*rig.scene)};
}

TEST(SlideshowScene, BatchedAdvanceEndsAsFrameByFramePlay) {
    for (uint32_t effect : {FadeEffect, ShadeEffect, BlockEffect}) {
        for (uint32_t wait : {0u, 5u}) {
            for (int start : {0, 20}) {
                for (uint32_t frames : {1u, 2u, 16u, 37u, 38u, 55u, 75u, 76u, 78u, 120u, 400u}) {
                    SCOPED_TRACE(testing::Message() << "effect " << effect << " wait " << wait << " start " << start
                                                    << " frames " << frames);
                    const ShowEnd batched = PlayedFrom(effect, wait, start, frames, true);
                    const ShowEnd stepped = PlayedFrom(effect, wait, start, frames, false);
                    EXPECT_EQ(batched.position.CurrentPicture, stepped.position.CurrentPicture);
                    EXPECT_EQ(batched.position.FromPicture, stepped.position.FromPicture);
                    EXPECT_EQ(batched.position.HoldFrames, stepped.position.HoldFrames);
                    EXPECT_EQ(batched.position.StepCounter, stepped.position.StepCounter);
                    EXPECT_EQ(batched.randomIndex, stepped.randomIndex);
                    EXPECT_TRUE(batched.ring == stepped.ring) << "the generator was drawn a different number of times";
                    EXPECT_TRUE(batched.front == stepped.front) << "the pixels differ";
                }
            }
        }
    }
}

}  // namespace
