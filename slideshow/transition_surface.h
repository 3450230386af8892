#pragma once
// The pixels of the slideshow: 32-bit bottom-up sections of the render size (the front that
// is shown and the picture a transition goes to), the effect that brings each new picture in,
// and the palette picture. Preparing a new picture swaps the front and the target. Outside the
// old and the new picture's boxes front and target both show the backdrop, so a fade copies
// only the front within those boxes as the picture it starts from, and gives the copy back
// once it is complete.
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
    // Composes the backdrop and then picture (may be null) into the target, after
    // rotating the sections when a target exists already.
    void PrepareNext(Image* picture);
    // Renders step s into the front: the effect up to step 32, the full copy after it.
    int StepTransition(int32_t step);
    void ReleaseBuffers();

    // The first composition: the backdrop goes into the front section, and every later
    // picture is composed over backdropDc's picture.
    void TakeBackdrop(HDC scratchDc, HDC backdropDc);
    // Copies the front section at its own size to the top-left of destination.
    void PaintFront(HDC destination) const;
    // Moves the screen rectangles that the front has changed in since the last call into
    // changes; nothing while a picture is held.
    void TakeFrontChanges(std::vector<PixelRect>& changes);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return stride_; }
    uint32_t EffectType() const { return effectType_; }
    int ReverseSweep() const { return reverseSweep_; }
    HDC BackdropSource() const { return backdropSource_; }
    Image* PalettePicture() const { return palettePicture_.get(); }
    HBITMAP FrontBitmap() const { return front_.Bitmap.get(); }
    HBITMAP TargetBitmap() const { return target_.Bitmap.get(); }
    const uint8_t* FrontBits() const { return front_.Bits; }
    // The fade's copy of the front within ChangingBox(), rows bottom-up and
    // 4 * ChangingBox() width bytes apart; null outside a fade.
    const uint8_t* FromBits() const { return fromPixels_.get(); }
    // The part of the frame that the transition under way can change: the old and the new
    // picture's boxes together.
    PixelRect ChangingBox() const { return UnionOf(fromBox_, targetBox_); }
    const uint8_t* TargetBits() const { return target_.Bits; }

private:
    struct PixelBuffer {
        UniqueBitmap Bitmap;
        uint8_t* Bits = nullptr;
        void Reset();
    };

    PixelBuffer CreateBuffer() const;
    // A fade about to render step s needs the picture it starts from: the front within the
    // changing box as it stands when the transition begins. False when that copy cannot be
    // had.
    bool TakeFromPicture(int32_t step);
    // The front and target within part of the frame (top-down), with the from copy there.
    TransitionPixels PixelsWithin(const PixelRect& part) const;
    // Draws the backdrop where covered says the target does not show it yet, then the
    // picture, into the target section, which must exist.
    void ComposeTarget(Image* picture, const PixelRect& covered);

    PixelBuffer front_;
    PixelBuffer target_;
    std::unique_ptr<uint8_t[]> fromPixels_;
    HDC backdropSource_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    RECT pictureArea_ = {};
    int32_t stride_ = 0;
    uint32_t effectType_ = FadeEffect;
    int reverseSweep_ = 0;
    // Where the picture of the from and of the target section lies over the backdrop.
    PixelRect fromBox_;
    PixelRect targetBox_;
    std::vector<PixelRect> frontChanges_;
    std::unique_ptr<Image> palettePicture_;
};
