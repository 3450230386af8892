#include "slideshow/transition_surface.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "images/image.h"
#include "images/pixel_section.h"
#include "images/shared_memory_dcs.h"
#include "slideshow/random_generator.h"

namespace {

// More than the rows of a Shade step on the tallest screens, fewer than a stall would pile up.
constexpr size_t MostFrontChangesKept = 1024;

}  // namespace

void TransitionSurface::PixelBuffer::Reset() {
    Bitmap.reset();
    Bits = nullptr;
}

TransitionSurface::TransitionSurface() = default;

TransitionSurface::~TransitionSurface() { ReleaseBuffers(); }

TransitionSurface::PixelBuffer TransitionSurface::CreateBuffer() const {
    PixelBuffer buffer;
    buffer.Bitmap = CreatePixelSection(PictureDc, width_, height_, &buffer.Bits);
    return buffer;
}

void TransitionSurface::CreateBuffers(const RECT& area, uint32_t effectType) {
    if (!palettePicture_) palettePicture_.reset(new (std::nothrow) Image());
    width_ = area.right - area.left;
    height_ = area.bottom - area.top;
    front_ = CreateBuffer();
    from_ = front_.Bitmap ? CreateBuffer() : PixelBuffer{};
    if (!front_.Bitmap || !from_.Bitmap) {
        front_.Reset();
        from_.Reset();
        width_ = 0;
        height_ = 0;
    }
    pictureArea_ = {0, 0, width_, height_};
    effectType_ = effectType;
    target_.Reset();
    stride_ = RowStride(width_);
    rowPadding_ = stride_ - BytesPerPixel24 * width_;
}

void TransitionSurface::PrepareNext(Image* picture) {
    if (!front_.Bitmap) return;
    if (target_.Bitmap) {
        // After a finished transition front and target hold the same picture, so the
        // screen does not change; the old front becomes the new target. The from section
        // is given back: through the hold it would only repeat the front, and only a fade
        // reads it, from a copy it takes when it begins.
        std::swap(front_, target_);
        from_.Reset();
        fromBox_ = targetBox_;
    } else {
        target_ = CreateBuffer();
    }
    if (target_.Bitmap) ComposeTarget(picture);
    reverseSweep_ = !reverseSweep_;
}

void TransitionSurface::ComposeTarget(Image* picture) {
    targetBox_ = {};
    {
        SelectionGuard selection(TargetDc, target_.Bitmap.get());
        if (backdropSource_) BitBlt(TargetDc, 0, 0, width_, height_, backdropSource_, 0, 0, SRCCOPY);
        if (picture) {
            picture->Load(nullptr);
            const int32_t pictureWidth = picture->Width();
            const int32_t pictureHeight = picture->Height();
            const int32_t areaWidth = pictureArea_.right - pictureArea_.left;
            const int32_t areaHeight = pictureArea_.bottom - pictureArea_.top;
            const int32_t boxWidth = std::min(areaWidth, pictureWidth);
            const int32_t boxHeight = std::min(areaHeight, pictureHeight);
            // Two draws in this order: the left edge, then the top edge.
            const int32_t x = pictureArea_.left +
                              static_cast<int32_t>(RandomBelow(static_cast<uint32_t>(areaWidth - boxWidth)));
            const int32_t y = pictureArea_.top +
                              static_cast<int32_t>(RandomBelow(static_cast<uint32_t>(areaHeight - boxHeight)));
            targetBox_ = ClipTo({x, y, x + boxWidth, y + boxHeight}, width_, height_);
            if (boxWidth >= pictureWidth && boxHeight >= pictureHeight)
                picture->Draw(TargetDc, x, y);
            else
                picture->DrawStretched(TargetDc, x, y, boxWidth, boxHeight);
        }
    }
    // Only one decoded picture exists at a time: it is given back as soon as it is drawn.
    if (picture) picture->Release();
}

bool TransitionSurface::TakeFromPicture(int32_t step) {
    if (from_.Bitmap || effectType_ != FadeEffect || step > LastEffectStep) return true;
    from_ = CreateBuffer();
    if (!from_.Bitmap) return false;
    std::memcpy(from_.Bits, front_.Bits, static_cast<size_t>(stride_) * static_cast<size_t>(height_));
    return true;
}

int TransitionSurface::StepTransition(int32_t step) {
    if (!front_.Bitmap || !target_.Bitmap) return 0;
    // Drawing into the sections may still be queued; the pixels must be final first.
    GdiFlush();
    if (!TakeFromPicture(step)) return 0;
    // The other effects never read a from-picture; they are handed the front in its place.
    const uint8_t* from = from_.Bits ? from_.Bits : front_.Bits;
    const TransitionPixels pixels{front_.Bits, from, target_.Bits, width_, height_, stride_};
    const int rendered = RenderTransitionStep(pixels, effectType_, step, reverseSweep_ != 0);
    AppendStepChanges(effectType_, step, reverseSweep_ != 0, width_, height_, UnionOf(fromBox_, targetBox_),
                      frontChanges_);
    // Many steps in one call (a stall caught up) collapse into the whole frame rather
    // than a list that grows with the stall.
    if (frontChanges_.size() > MostFrontChangesKept) frontChanges_.assign(1, PixelRect{0, 0, width_, height_});
    return rendered;
}

void TransitionSurface::ReleaseBuffers() {
    front_.Reset();
    from_.Reset();
    target_.Reset();
    palettePicture_.reset();
    width_ = 0;
    height_ = 0;
    pictureArea_ = {};
    stride_ = 0;
    rowPadding_ = 0;
    effectType_ = FadeEffect;
    fromBox_ = {};
    targetBox_ = {};
    frontChanges_.clear();
}

void TransitionSurface::TakeBackdrop(HDC scratchDc, HDC backdropDc) {
    if (from_.Bitmap) {
        SelectionGuard selection(scratchDc, from_.Bitmap.get());
        BitBlt(scratchDc, 0, 0, width_, height_, backdropDc, 0, 0, SRCCOPY);
    }
    if (front_.Bits && from_.Bits) {
        GdiFlush();
        std::memcpy(front_.Bits, from_.Bits, static_cast<size_t>(stride_) * static_cast<size_t>(height_));
    }
    backdropSource_ = backdropDc;
    frontChanges_.push_back({0, 0, width_, height_});
}

void TransitionSurface::PaintFront(HDC destination) const {
    if (!front_.Bitmap) return;
    SelectionGuard selection(PictureDc, front_.Bitmap.get());
    StretchBlt(destination, 0, 0, width_, height_, PictureDc, 0, 0, width_, height_, SRCCOPY);
}

void TransitionSurface::TakeFrontChanges(std::vector<PixelRect>& changes) {
    changes.insert(changes.end(), frontChanges_.begin(), frontChanges_.end());
    frontChanges_.clear();
}
