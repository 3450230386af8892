#pragma once
// The pixels of the slideshow, all bottom-up sections: the front that is shown, 32-bit as the
// screen takes it, and 24-bit sources that the effects read once a frame: the backdrop, like
// the front of the render size, and the target, a buffer of just the new picture's box (the
// backdrop there with the picture over it). Around the picture's box the target is the
// backdrop. A fade also keeps the finished target of the transition before, the box of the
// picture it starts from; the other effects never read the picture they leave. The effect
// that brings each new picture in works only on the old and the new box, and there is the
// palette picture.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "common/unique_handle.h"
#include "slideshow/step_changes.h"
#include "slideshow/transition_kernels.h"

class Image;

// The last step a scene renders; steps 33 to 35 each copy the whole target.
constexpr int32_t LastTransitionStep = 35;

class TransitionSurface {
public:
    TransitionSurface();
    virtual ~TransitionSurface();
    TransitionSurface(const TransitionSurface&) = delete;
    TransitionSurface& operator=(const TransitionSurface&) = delete;

    // Makes the front section for the area and creates the palette picture.
    // Pictures are placed in the whole area until PlacePicturesIn says otherwise.
    void CreateBuffers(const RECT& area, uint32_t effectType);
    // Keeps every picture inside part of the area (the primary monitor when the area spans
    // several); its random position is drawn within that part alone.
    void PlacePicturesIn(const RECT& pictureArea) { pictureArea_ = pictureArea; }
    // Composes picture (may be null) over the backdrop as the next target. A transition not
    // yet complete is completed first, so the front shows its target.
    void PrepareNext(Image* picture);
    // Stands for PrepareNext with a picture that is left again before anyone sees it, as in a
    // long stall caught up: the generator is drawn as its composition would draw it, and the
    // front goes back to the bare backdrop, from which the next prepared picture comes in.
    // Nothing is decoded.
    void PassOver(const Image* picture);
    // Renders step s into the front: the effect up to step 32, the full copy after it. Once
    // the front shows the target, later steps have nothing left to do.
    int StepTransition(int32_t step);
    void ReleaseBuffers();

    // The first composition: backdropDc's picture becomes the backdrop section, which every
    // later picture is composed over, and the front.
    void TakeBackdrop(HDC scratchDc, HDC backdropDc);
    // Copies the front section at its own size to the top-left of destination.
    void PaintFront(HDC destination) const;
    // Moves the screen rectangles that the front has changed in since the last call into
    // changes; nothing while a picture is held.
    void TakeFrontChanges(std::vector<PixelRect>& changes);

    int32_t Width() const { return width_; }
    const RECT& PictureArea() const { return pictureArea_; }
    Image* PalettePicture() const { return palettePicture_.get(); }

private:
    // The tests read the sections and the transition's state through it.
    friend class TransitionSurfaceProbe;

    // The part of the frame that the transition under way can change: the old and the new
    // picture's boxes together.
    PixelRect ChangingBox() const { return UnionOf(fromBox_, targetBox_); }

    struct PixelBuffer {
        UniqueBitmap Bitmap;
        uint8_t* Bits = nullptr;
        int32_t Width = 0;
        int32_t Height = 0;
        void Reset();
    };

    PixelBuffer CreateBuffer(int32_t width, int32_t height, int32_t bitsPerPixel) const;
    // The whole frame, the box of the front and the backdrop.
    PixelRect FrameBox() const { return {0, 0, width_, height_}; }
    // The front, and the from-picture and target as their buffers or the backdrop hold them,
    // within a part of the frame (top-down) that lies wholly inside or outside each box.
    TransitionPixels PixelsWithin(const PixelRect& part) const;
    // Where the picture of box shows in part: its own buffer inside the box, else the
    // backdrop.
    const uint8_t* SourceWithin(const PixelRect& part, const PixelBuffer& buffer, const PixelRect& box,
                                int32_t& stride) const;
    // Renders the step over the old and the new box; false when a part could not be rendered.
    bool RenderOverBoxes(int32_t step);
    // The front shows the backdrop within box.
    void RestoreBackdropWithin(const PixelRect& box);
    // Places the picture and draws it over the backdrop into the target buffer.
    void ComposeTarget(Image* picture);

    PixelBuffer front_;
    PixelBuffer backdrop_;
    PixelBuffer target_;
    // The fade's from-picture within fromBox_: the target of the transition before.
    PixelBuffer shown_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    RECT pictureArea_ = {};
    int32_t stride_ = 0;
    uint32_t effectType_ = FadeEffect;
    int reverseSweep_ = 0;
    // A target has been prepared, and the front shows it complete.
    bool prepared_ = false;
    bool complete_ = true;
    // Where the picture that the transition starts from and the target's picture lie.
    PixelRect fromBox_;
    PixelRect targetBox_;
    std::vector<PixelRect> frontChanges_;
    std::unique_ptr<Image> palettePicture_;
};
