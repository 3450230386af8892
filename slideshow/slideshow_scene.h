#pragma once
// The slideshow: the six embedded pictures one after another in random order, never the
// same twice in a row. Each is held for the Wait setting in frames, then brought in by a
// 36-step transition of the surface.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "slideshow/scene.h"
#include "slideshow/transition_surface.h"

class JpegImage;

// Process-wide, owned by the slideshow: true until the first Compose that does its work, and
// never set again, so the first composition happens once per process.
extern int ComposePending;

// Frames held before the first picture when nothing has composed yet.
constexpr int32_t InitialHoldFrames = 300;

// Where a show stands, so that a scene built afresh for a changed screen goes on from there.
struct SlideshowPosition {
    int32_t FromPicture = -1;
    int32_t CurrentPicture = 0;
    int32_t HoldFrames = 0;
    int32_t StepCounter = 0;
};

class SlideshowScene : public Scene {
public:
    SlideshowScene();
    ~SlideshowScene() override;

    int Open(const RECT& area, int previewFlag) override;
    int Attach(HWND window, const RECT& output) override;
    void Begin() override;
    void Advance(uint32_t frames) override;
    void Compose(HDC firstDc, HDC scratchDc, HDC backdropDc) override;
    void Paint(HWND window, HDC destination, HDC scratchDc, HDC backdropDc) override;
    void GetPaletteEntries(PALETTEENTRY* entries) override;
    void TakeChanges(std::vector<PixelRect>& changes) override;
    // The frames left of the hold: each only counts down.
    uint32_t FramesUnchanged() const override;

    // Keeps the pictures inside part of the render area; call after Open.
    void PlacePicturesIn(const RECT& pictureArea) { surface_.PlacePicturesIn(pictureArea); }
    // Shows the pictures at their size at dpi, as the desktop's scale asks, or at the box they
    // are shown in where that is smaller; call after Open and PlacePicturesIn.
    void ScalePicturesTo(int dpi);
    const TransitionSurface& Surface() const { return surface_; }

    SlideshowPosition Position() const { return {fromPicture_, currentPicture_, holdFrames_, stepCounter_}; }
    // In place of the first composition, once attached: takes backdropDc's picture as the
    // backdrop and shows at once what the show had on screen at position, placed anew; the
    // transition under way is finished, and one not yet begun starts afresh.
    void Resume(const SlideshowPosition& position, HDC scratchDc, HDC backdropDc);

private:
    // Null when the index is outside the pictures that exist.
    Image* Picture(int32_t index) const;
    // The choice's draw and counters; returns the picture chosen.
    int32_t DrawNextPicture();
    void ChooseNextPicture();
    // A choice whose picture is left again before anyone sees it.
    void PassOverNextPicture();
    // The front shows picture (the backdrop alone when null) complete.
    void ShowAtOnce(Image* picture);

    std::unique_ptr<JpegImage[]> pictures_;
    int32_t pictureCount_ = 0;
    TransitionSurface surface_;
    int started_ = 0;
    int32_t holdFrames_ = 0;
    int32_t currentPicture_ = 0;
    // The picture the coming or running transition starts from; -1 for the backdrop alone.
    int32_t fromPicture_ = -1;
    int32_t stepCounter_ = 0;
};
