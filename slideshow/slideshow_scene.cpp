#include "slideshow/slideshow_scene.h"

#include <limits>
#include <new>

#include "images/jpeg_image.h"
#include "resources/resource_ids.h"
#include "settings/saver_settings.h"
#include "slideshow/catch_up_plan.h"
#include "slideshow/random_generator.h"

int ComposePending = 1;

namespace {

int32_t HoldFromWait(uint32_t wait) {
    constexpr uint32_t largest = static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(wait > largest ? largest : wait);
}

}  // namespace

SlideshowScene::SlideshowScene() { entryCount_ = IDR_PICTURE_COUNT; }

SlideshowScene::~SlideshowScene() {
    pictures_.reset();
    pictureCount_ = 0;
    surface_.ReleaseBuffers();
}

Image* SlideshowScene::Picture(int32_t index) const {
    if (!pictures_ || index < 0 || index >= pictureCount_) return nullptr;
    return &pictures_[index];
}

int SlideshowScene::Open(const RECT& area, int previewFlag) {
    Scene::Open(area, previewFlag);
    pictureCount_ = entryCount_ > 0 ? entryCount_ : 0;
    pictures_.reset(new (std::nothrow) JpegImage[pictureCount_]);
    if (!pictures_) pictureCount_ = 0;
    for (int32_t i = 0; i < pictureCount_; ++i) pictures_[i].SetSource(MAKEINTRESOURCEA(IDR_PICTURE_FIRST + i));
    surface_.CreateBuffers(area, SaverSettings.FadeType);
    if (Image* palette = surface_.PalettePicture()) palette->SetSource(MAKEINTRESOURCEA(IDB_PALETTE));
    holdFrames_ = InitialHoldFrames;
    currentPicture_ = 0;
    stepCounter_ = 0;
    return 1;
}

void SlideshowScene::ScalePicturesTo(int dpi) {
    const RECT& room = surface_.PictureArea();
    for (int32_t i = 0; i < pictureCount_; ++i) {
        pictures_[i].ScaleTo(dpi);
        pictures_[i].FitWithin(room.right - room.left, room.bottom - room.top);
    }
}

int SlideshowScene::Attach(HWND window, const RECT& output) {
    Scene::Attach(window, output);
    // The display builds its palette from this picture's colour table right after.
    if (Image* palette = surface_.PalettePicture()) palette->Load(nullptr);
    started_ = 1;
    return 1;
}

void SlideshowScene::Compose(HDC, HDC scratchDc, HDC backdropDc) {
    if (!ComposePending || !started_) return;
    surface_.TakeBackdrop(scratchDc, backdropDc);
    Begin();
    ComposePending = 0;
}

void SlideshowScene::Begin() {
    Scene::Begin();
    holdFrames_ = 0;
    stepCounter_ = 0;
    fromPicture_ = -1;
    currentPicture_ = static_cast<int32_t>(RandomBelow(static_cast<uint32_t>(entryCount_)));
    Image* picture = Picture(currentPicture_);
    if (picture) picture->Load(nullptr);
    surface_.PrepareNext(picture);
}

void SlideshowScene::Advance(uint32_t frames) {
    const ShowRules rules{HoldFromWait(SaverSettings.Wait), LastTransitionStep, SaverSettings.FadeType == FadeEffect};
    const CatchUpPlan plan = PlanCatchUp({holdFrames_, stepCounter_}, frames, rules);
    // Only the end shows: the last picture chosen, on the one before it while its transition
    // is still under way. The pictures chosen and left again in between only take their
    // draws, and a transition that a later choice completes needs no steps of its own.
    const int32_t lastStep = plan.EndStep - 1;
    const bool previousShows = plan.FirstStep == plan.EndStep || lastStep <= LastEffectStep;
    const uint32_t builtChoices = previousShows ? 2 : 1;
    for (uint32_t choice = 1; choice <= plan.Choices; ++choice) {
        if (plan.Choices - choice < builtChoices)
            ChooseNextPicture();
        else
            PassOverNextPicture();
    }
    // Once a full copy is among the steps, it alone gives their end.
    const int32_t firstStep = lastStep > LastEffectStep ? lastStep : plan.FirstStep;
    for (int32_t step = firstStep; step < plan.EndStep; ++step) surface_.StepTransition(step);
    holdFrames_ = plan.End.HoldFrames;
    stepCounter_ = plan.End.StepCounter;
}

int32_t SlideshowScene::DrawNextPicture() {
    holdFrames_ = HoldFromWait(SaverSettings.Wait);
    const uint32_t offset = RandomBelow(static_cast<uint32_t>(entryCount_ - 1));
    // Adding 1 to 5 (of 6) steps past the current picture never lands on it again.
    const int32_t next = entryCount_ > 0 ? (currentPicture_ + 1 + static_cast<int32_t>(offset)) % entryCount_ : 0;
    stepCounter_ = 0;
    fromPicture_ = currentPicture_;
    currentPicture_ = next;
    return next;
}

void SlideshowScene::ChooseNextPicture() { surface_.PrepareNext(Picture(DrawNextPicture())); }

void SlideshowScene::PassOverNextPicture() { surface_.PassOver(Picture(DrawNextPicture())); }

void SlideshowScene::Resume(const SlideshowPosition& position, HDC scratchDc, HDC backdropDc) {
    if (!started_) return;
    surface_.TakeBackdrop(scratchDc, backdropDc);
    fromPicture_ = position.FromPicture;
    currentPicture_ = position.CurrentPicture;
    holdFrames_ = position.HoldFrames;
    stepCounter_ = position.StepCounter;
    if (stepCounter_ == 0) {
        // The screen still shows the picture the transition will start from.
        ShowAtOnce(Picture(fromPicture_));
        surface_.PrepareNext(Picture(currentPicture_));
        return;
    }
    ShowAtOnce(Picture(currentPicture_));
    stepCounter_ = LastTransitionStep + 1;
}

void SlideshowScene::ShowAtOnce(Image* picture) {
    surface_.PrepareNext(picture);
    surface_.StepTransition(LastTransitionStep);
}

void SlideshowScene::Paint(HWND, HDC destination, HDC, HDC) {
    if (!isOpen_) return;
    surface_.PaintFront(destination);
}

void SlideshowScene::GetPaletteEntries(PALETTEENTRY* entries) {
    if (Image* palette = surface_.PalettePicture()) palette->GetPaletteEntries(entries);
}

void SlideshowScene::TakeChanges(std::vector<PixelRect>& changes) { surface_.TakeFrontChanges(changes); }

uint32_t SlideshowScene::FramesUnchanged() const { return holdFrames_ > 0 ? static_cast<uint32_t>(holdFrames_) : 0; }
