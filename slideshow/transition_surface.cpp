#include "slideshow/transition_surface.h"

#include <cstring>
#include <new>
#include <utility>

#include "images/image.h"
#include "images/pixel_section.h"
#include "images/shared_memory_dcs.h"
#include "slideshow/picture_placement.h"
#include "slideshow/random_generator.h"

namespace {

// More than the rows of a Shade step on the tallest screens, fewer than a stall would pile up.
constexpr size_t MostFrontChangesKept = 1024;

bool Contains(const PixelRect& outer, const PixelRect& inner) {
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

// The first byte of part's first row in memory, in a bottom-up buffer of box's pixels (part
// lies inside box, both top-down).
ptrdiff_t OffsetWithin(const PixelRect& part, const PixelRect& box, int32_t stride, int32_t bytesPerPixel) {
    return static_cast<ptrdiff_t>(box.Bottom - part.Bottom) * stride +
           static_cast<ptrdiff_t>(part.Left - box.Left) * bytesPerPixel;
}

}  // namespace

void TransitionSurface::PixelBuffer::Reset() {
    Bitmap.reset();
    Bits = nullptr;
    Width = 0;
    Height = 0;
}

TransitionSurface::TransitionSurface() = default;

TransitionSurface::~TransitionSurface() { ReleaseBuffers(); }

TransitionSurface::PixelBuffer TransitionSurface::CreateBuffer(int32_t width, int32_t height,
                                                               int32_t bitsPerPixel) const {
    PixelBuffer buffer;
    buffer.Bitmap = CreatePixelSection(PictureDc, width, height, bitsPerPixel, &buffer.Bits);
    if (buffer.Bitmap) {
        buffer.Width = width;
        buffer.Height = height;
    }
    return buffer;
}

void TransitionSurface::CreateBuffers(const RECT& area, uint32_t effectType) {
    if (!palettePicture_) palettePicture_.reset(new (std::nothrow) Image());
    width_ = area.right - area.left;
    height_ = area.bottom - area.top;
    front_ = CreateBuffer(width_, height_, BitsPerPixel32);
    if (!front_.Bitmap) {
        width_ = 0;
        height_ = 0;
    }
    pictureArea_ = {0, 0, width_, height_};
    effectType_ = effectType;
    backdrop_.Reset();
    target_.Reset();
    shown_.Reset();
    prepared_ = false;
    complete_ = true;
    fromBox_ = {};
    targetBox_ = {};
    stride_ = RowStride32(width_);
}

void TransitionSurface::PrepareNext(Image* picture) {
    if (!front_.Bitmap) return;
    // Without a desktop taken yet the pictures go over black.
    if (!backdrop_.Bitmap) backdrop_ = CreateBuffer(width_, height_, BitsPerPixel24);
    if (!backdrop_.Bitmap) return;
    if (!complete_) {
        // The front must show the target before that becomes the picture faded from.
        RenderOverBoxes(LastTransitionStep);
        if (!ChangingBox().Empty()) frontChanges_.push_back(ChangingBox());
    }
    fromBox_ = targetBox_;
    // Only a fade reads the picture it starts from; the other effects draw each target over
    // the buffer of the one before.
    if (effectType_ == FadeEffect) std::swap(shown_, target_);
    ComposeTarget(picture);
    prepared_ = true;
    complete_ = false;
    reverseSweep_ = !reverseSweep_;
}

void TransitionSurface::PassOver(const Image* picture) {
    if (!front_.Bitmap) return;
    if (!backdrop_.Bitmap) backdrop_ = CreateBuffer(width_, height_, BitsPerPixel24);
    if (!backdrop_.Bitmap) return;
    if (!ChangingBox().Empty()) {
        RestoreBackdropWithin(ChangingBox());
        frontChanges_.push_back(ChangingBox());
    }
    fromBox_ = {};
    targetBox_ = {};
    complete_ = true;
    reverseSweep_ = !reverseSweep_;
    if (!picture) return;
    // The left and the top edge, as ComposeTarget draws them.
    NextRandom();
    NextRandom();
}

void TransitionSurface::RestoreBackdropWithin(const PixelRect& box) {
    GdiFlush();
    TransitionPixels pixels;
    pixels.Front = front_.Bits + OffsetWithin(box, FrameBox(), stride_, BytesPerPixel32);
    pixels.Width = box.Right - box.Left;
    pixels.Height = box.Bottom - box.Top;
    pixels.Stride = stride_;
    pixels.TargetStride = RowStride(width_);
    pixels.Target = backdrop_.Bits + OffsetWithin(box, FrameBox(), pixels.TargetStride, BytesPerPixel24);
    // The copy reads the target alone; the from-picture only has to be valid.
    pixels.From = pixels.Target;
    pixels.FromStride = pixels.TargetStride;
    pixels.FrameColumn = box.Left;
    pixels.FrameRow = height_ - box.Bottom;
    pixels.FrameWidth = width_;
    CopyWholeFrame(pixels);
}

void TransitionSurface::ComposeTarget(Image* picture) {
    targetBox_ = {};
    if (!picture) return;
    picture->Load(nullptr);
    const int32_t pictureWidth = picture->Width();
    const int32_t pictureHeight = picture->Height();
    const PicturePlacement placement = PlacePicture(pictureArea_.right - pictureArea_.left,
                                                    pictureArea_.bottom - pictureArea_.top, pictureWidth, pictureHeight);
    const int32_t boxWidth = placement.BoxWidth;
    const int32_t boxHeight = placement.BoxHeight;
    // Two draws in this order: the left edge, then the top edge.
    const int32_t x = pictureArea_.left + static_cast<int32_t>(RandomBelow(placement.SpareWidth));
    const int32_t y = pictureArea_.top + static_cast<int32_t>(RandomBelow(placement.SpareHeight));
    const PixelRect box = ClipTo({x, y, x + boxWidth, y + boxHeight}, width_, height_);
    const int32_t width = box.Right - box.Left;
    const int32_t height = box.Bottom - box.Top;
    if (!box.Empty() && (target_.Width != width || target_.Height != height))
        target_ = CreateBuffer(width, height, BitsPerPixel24);
    if (!box.Empty() && target_.Bitmap) {
        targetBox_ = box;
        // The backdrop first: the picture's transparent parts show it. Its copy may still be
        // queued.
        GdiFlush();
        const int32_t backdropStride = RowStride(width_);
        const int32_t targetStride = RowStride(width);
        const uint8_t* backdrop = backdrop_.Bits + OffsetWithin(box, FrameBox(), backdropStride, BytesPerPixel24);
        for (int32_t row = 0; row < height; ++row)
            std::memcpy(target_.Bits + static_cast<ptrdiff_t>(row) * targetStride,
                        backdrop + static_cast<ptrdiff_t>(row) * backdropStride,
                        static_cast<size_t>(width) * BytesPerPixel24);
        SelectionGuard selection(TargetDc, target_.Bitmap.get());
        if (placement.Stretched)
            picture->DrawStretched(TargetDc, x - box.Left, y - box.Top, boxWidth, boxHeight);
        else
            picture->Draw(TargetDc, x - box.Left, y - box.Top);
    }
    // Only one decoded picture exists at a time: it is given back as soon as it is drawn.
    picture->Release();
}

const uint8_t* TransitionSurface::SourceWithin(const PixelRect& part, const PixelBuffer& buffer, const PixelRect& box,
                                               int32_t& stride) const {
    if (buffer.Bits && !box.Empty() && Contains(box, part)) {
        stride = RowStride(buffer.Width);
        return buffer.Bits + OffsetWithin(part, box, stride, BytesPerPixel24);
    }
    stride = RowStride(width_);
    return backdrop_.Bits + OffsetWithin(part, FrameBox(), stride, BytesPerPixel24);
}

TransitionPixels TransitionSurface::PixelsWithin(const PixelRect& part) const {
    TransitionPixels pixels;
    pixels.Front = front_.Bits + OffsetWithin(part, FrameBox(), stride_, BytesPerPixel32);
    pixels.Width = part.Right - part.Left;
    pixels.Height = part.Bottom - part.Top;
    pixels.Stride = stride_;
    pixels.Target = SourceWithin(part, target_, targetBox_, pixels.TargetStride);
    if (effectType_ == FadeEffect) {
        pixels.From = SourceWithin(part, shown_, fromBox_, pixels.FromStride);
    } else {
        // The other effects never read a from-picture; they are handed the front in its place.
        pixels.From = pixels.Front;
        pixels.FromStride = stride_;
    }
    pixels.FrameColumn = part.Left;
    pixels.FrameRow = height_ - part.Bottom;
    pixels.FrameWidth = width_;
    return pixels;
}

bool TransitionSurface::RenderOverBoxes(int32_t step) {
    // Drawing into the sections may still be queued; the pixels must be final first.
    GdiFlush();
    bool rendered = true;
    const RectPieces pieces = SeparatedPieces(fromBox_, targetBox_);
    for (int k = 0; k < pieces.Count; ++k) {
        if (!RenderTransitionStep(PixelsWithin(pieces.Pieces[k]), effectType_, step, reverseSweep_ != 0))
            rendered = false;
    }
    return rendered;
}

int TransitionSurface::StepTransition(int32_t step) {
    if (!prepared_) return 0;
    // Outside both boxes front and target show the same backdrop, so nothing can change;
    // a fade's first step shows the picture it starts from, which the front holds already;
    // once the front shows the target, the full copies that follow change nothing either.
    if (ChangingBox().Empty() || complete_ || (effectType_ == FadeEffect && step <= 0)) return 1;
    const int rendered = RenderOverBoxes(step) ? 1 : 0;
    // A fade's last step shows the target exactly.
    if (step > LastEffectStep || (effectType_ == FadeEffect && step == LastEffectStep)) complete_ = rendered != 0;
    AppendStepChanges(effectType_, step, reverseSweep_ != 0, width_, height_, fromBox_, targetBox_, frontChanges_);
    // Many steps in one call (a stall caught up) collapse into the whole frame rather
    // than a list that grows with the stall.
    if (frontChanges_.size() > MostFrontChangesKept) frontChanges_.assign(1, FrameBox());
    return rendered;
}

void TransitionSurface::ReleaseBuffers() {
    front_.Reset();
    backdrop_.Reset();
    target_.Reset();
    shown_.Reset();
    palettePicture_.reset();
    width_ = 0;
    height_ = 0;
    pictureArea_ = {};
    stride_ = 0;
    effectType_ = FadeEffect;
    prepared_ = false;
    complete_ = true;
    fromBox_ = {};
    targetBox_ = {};
    frontChanges_.clear();
}

void TransitionSurface::TakeBackdrop(HDC scratchDc, HDC backdropDc) {
    if (front_.Bitmap) {
        if (!backdrop_.Bitmap) backdrop_ = CreateBuffer(width_, height_, BitsPerPixel24);
        // The same copy into both: the front shows the backdrop until the first picture.
        for (const PixelBuffer* buffer : {&front_, &backdrop_}) {
            if (!buffer->Bitmap) continue;
            SelectionGuard selection(scratchDc, buffer->Bitmap.get());
            BitBlt(scratchDc, 0, 0, width_, height_, backdropDc, 0, 0, SRCCOPY);
        }
    }
    frontChanges_.push_back(FrameBox());
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
