#pragma once
// What the tests read of a transition surface beyond what the display asks of it: its
// sections, their pixels and the state of the transition.
#include "slideshow/transition_surface.h"

class TransitionSurfaceProbe {
public:
    explicit TransitionSurfaceProbe(const TransitionSurface& surface) : surface_(surface) {}

    int32_t Height() const { return surface_.height_; }
    int32_t Stride() const { return surface_.stride_; }
    uint32_t EffectType() const { return surface_.effectType_; }
    int ReverseSweep() const { return surface_.reverseSweep_; }
    HBITMAP FrontBitmap() const { return surface_.front_.Bitmap.get(); }
    HBITMAP TargetBitmap() const { return surface_.target_.Bitmap.get(); }
    const uint8_t* FrontBits() const { return surface_.front_.Bits; }
    const uint8_t* BackdropBits() const { return surface_.backdrop_.Bits; }
    // The target's box in the frame and its 24-bit pixels, rows bottom-up and RowStride(box
    // width) bytes apart; empty and null while no picture is prepared.
    PixelRect TargetBox() const { return surface_.targetBox_; }
    const uint8_t* TargetBits() const { return surface_.targetBox_.Empty() ? nullptr : surface_.target_.Bits; }
    PixelRect ChangingBox() const { return surface_.ChangingBox(); }

private:
    const TransitionSurface& surface_;
};
