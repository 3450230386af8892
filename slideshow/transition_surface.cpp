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
    buffer.Bitmap = CreatePixelSection(PictureDc, width_, height_, BitsPerPixel32, &buffer.Bits);
    return buffer;
}

void TransitionSurface::CreateBuffers(const RECT& area, uint32_t effectType) {
    if (!palettePicture_) palettePicture_.reset(new (std::nothrow) Image());
    width_ = area.right - area.left;
    height_ = area.bottom - area.top;
    front_ = CreateBuffer();
    if (!front_.Bitmap) {
        width_ = 0;
        height_ = 0;
    }
    pictureArea_ = {0, 0, width_, height_};
    effectType_ = effectType;
    target_.Reset();
    fromPixels_.reset();
    stride_ = RowStride32(width_);
}

void TransitionSurface::PrepareNext(Image* picture) {
    if (!front_.Bitmap) return;
    // The part of the new target that does not show the backdrop yet.
    PixelRect covered = {0, 0, width_, height_};
    if (target_.Bitmap) {
        // After a finished transition front and target hold the same picture, so the
        // screen does not change; the old front becomes the new target, which shows the
        // backdrop everywhere but in the old picture's box.
        std::swap(front_, target_);
        fromBox_ = targetBox_;
        covered = fromBox_;
    } else {
        target_ = CreateBuffer();
    }
    fromPixels_.reset();
    if (target_.Bitmap) ComposeTarget(picture, covered);
    reverseSweep_ = !reverseSweep_;
}

void TransitionSurface::ComposeTarget(Image* picture, const PixelRect& covered) {
    targetBox_ = {};
    {
        SelectionGuard selection(TargetDc, target_.Bitmap.get());
        if (backdropSource_ && !covered.Empty()) {
            BitBlt(TargetDc, covered.Left, covered.Top, covered.Right - covered.Left, covered.Bottom - covered.Top,
                   backdropSource_, covered.Left, covered.Top, SRCCOPY);
        }
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
    if (fromPixels_ || effectType_ != FadeEffect || step > LastEffectStep) return true;
    const PixelRect box = ChangingBox();
    const size_t rowBytes = static_cast<size_t>(RowStride32(box.Right - box.Left));
    const size_t rows = static_cast<size_t>(box.Bottom - box.Top);
    const uint8_t* front = PixelsWithin(box).Front;
    fromPixels_.reset(new (std::nothrow) uint8_t[rowBytes * rows]);
    if (!fromPixels_) return false;
    for (size_t row = 0; row < rows; ++row)
        std::memcpy(fromPixels_.get() + row * rowBytes, front + row * static_cast<size_t>(stride_), rowBytes);
    return true;
}

TransitionPixels TransitionSurface::PixelsWithin(const PixelRect& part) const {
    // The part is top-down, the rows in memory bottom-up.
    const ptrdiff_t first = static_cast<ptrdiff_t>(height_ - part.Bottom) * stride_ + RowStride32(part.Left);
    TransitionPixels pixels{front_.Bits + first, front_.Bits + first, target_.Bits + first,
                            part.Right - part.Left, part.Bottom - part.Top, stride_, stride_};
    // The other effects never read a from-picture; they are handed the front in its place.
    if (!fromPixels_) return pixels;
    const PixelRect box = ChangingBox();
    pixels.FromStride = RowStride32(box.Right - box.Left);
    pixels.From = fromPixels_.get() + static_cast<ptrdiff_t>(box.Bottom - part.Bottom) * pixels.FromStride +
                  RowStride32(part.Left - box.Left);
    return pixels;
}

int TransitionSurface::StepTransition(int32_t step) {
    if (!front_.Bitmap || !target_.Bitmap) return 0;
    const PixelRect box = ChangingBox();
    // Outside the box front and target show the same backdrop, so nothing can change.
    if (box.Empty()) return 1;
    // Drawing into the sections may still be queued; the pixels must be final first.
    GdiFlush();
    if (!TakeFromPicture(step)) return 0;
    int rendered = 1;
    if (effectType_ == FadeEffect && step <= LastEffectStep) {
        // Only the pixels of the two pictures fade; around them both show the backdrop.
        const RectPieces pieces = UnionPieces(fromBox_, targetBox_);
        for (int k = 0; k < pieces.Count; ++k) {
            if (!RenderTransitionStep(PixelsWithin(pieces.Pieces[k]), effectType_, step, false)) rendered = 0;
        }
    } else {
        // Shade's bands and Block's tiles are laid out over the whole frame; the final
        // copies need only the box.
        const PixelRect part = step > LastEffectStep ? box : PixelRect{0, 0, width_, height_};
        rendered = RenderTransitionStep(PixelsWithin(part), effectType_, step, reverseSweep_ != 0);
    }
    if (step >= LastEffectStep) fromPixels_.reset();
    AppendStepChanges(effectType_, step, reverseSweep_ != 0, width_, height_, fromBox_, targetBox_, frontChanges_);
    // Many steps in one call (a stall caught up) collapse into the whole frame rather
    // than a list that grows with the stall.
    if (frontChanges_.size() > MostFrontChangesKept) frontChanges_.assign(1, PixelRect{0, 0, width_, height_});
    return rendered;
}

void TransitionSurface::ReleaseBuffers() {
    front_.Reset();
    target_.Reset();
    fromPixels_.reset();
    palettePicture_.reset();
    width_ = 0;
    height_ = 0;
    pictureArea_ = {};
    stride_ = 0;
    effectType_ = FadeEffect;
    fromBox_ = {};
    targetBox_ = {};
    frontChanges_.clear();
}

void TransitionSurface::TakeBackdrop(HDC scratchDc, HDC backdropDc) {
    if (front_.Bitmap) {
        SelectionGuard selection(scratchDc, front_.Bitmap.get());
        BitBlt(scratchDc, 0, 0, width_, height_, backdropDc, 0, 0, SRCCOPY);
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
