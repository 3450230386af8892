#pragma once
// The pixels of the slideshow: 24-bit bottom-up sections of the render size (the front
// that is shown, the picture a fade starts from and the one a transition goes to), the
// effect that brings each new picture in, and the palette picture. Preparing a new picture
// swaps the front and the target and gives back the from section; a fade copies the front
// into a new one as it begins.
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

    // Makes the front and from sections for the area and creates the palette picture.
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

    // The first composition: the backdrop goes into the from and front sections, and
    // every later picture is composed over backdropDc's picture.
    void TakeBackdrop(HDC scratchDc, HDC backdropDc);
    // Copies the front section at its own size to the top-left of destination.
    void PaintFront(HDC destination) const;
    // Moves the screen rectangles that the front has changed in since the last call into
    // changes; nothing while a picture is held.
    void TakeFrontChanges(std::vector<PixelRect>& changes);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return stride_; }
    int32_t RowPadding() const { return rowPadding_; }
    uint32_t EffectType() const { return effectType_; }
    int ReverseSweep() const { return reverseSweep_; }
    HDC BackdropSource() const { return backdropSource_; }
    Image* PalettePicture() const { return palettePicture_.get(); }
    HBITMAP FrontBitmap() const { return front_.Bitmap.get(); }
    HBITMAP FromBitmap() const { return from_.Bitmap.get(); }
    HBITMAP TargetBitmap() const { return target_.Bitmap.get(); }
    const uint8_t* FrontBits() const { return front_.Bits; }
    const uint8_t* FromBits() const { return from_.Bits; }
    const uint8_t* TargetBits() const { return target_.Bits; }

private:
    struct PixelBuffer {
        UniqueBitmap Bitmap;
        uint8_t* Bits = nullptr;
        void Reset();
    };

    PixelBuffer CreateBuffer() const;
    // A fade about to render step s needs the picture it starts from: the front as it
    // stands when the transition begins. False when that section cannot be had.
    bool TakeFromPicture(int32_t step);
    // Draws the backdrop and the picture into the target section, which must exist.
    void ComposeTarget(Image* picture);

    PixelBuffer front_;
    PixelBuffer from_;
    PixelBuffer target_;
    HDC backdropSource_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    RECT pictureArea_ = {};
    int32_t stride_ = 0;
    int32_t rowPadding_ = 0;
    uint32_t effectType_ = FadeEffect;
    int reverseSweep_ = 0;
    // Where the picture of the from and of the target section lies over the backdrop.
    PixelRect fromBox_;
    PixelRect targetBox_;
    std::vector<PixelRect> frontChanges_;
    std::unique_ptr<Image> palettePicture_;
};
