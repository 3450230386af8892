#include "tests/slideshow/slideshow_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "images/image.h"
#include "images/pixel_section.h"
#include "settings/saver_settings.h"
#include "slideshow/random_generator.h"

SolidSection::SolidSection(int32_t width, int32_t height, COLORREF colour)
    : width_(width), height_(height), stride_(RowStride32(width)) {
    dc_.reset(CreateCompatibleDC(nullptr));
    bitmap_ = CreatePixelSection(nullptr, width, height, BitsPerPixel32, &bits_);
    if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
    Fill(colour);
}

SolidSection::~SolidSection() {
    if (previous_) SelectObject(dc_.get(), previous_);
    bitmap_.reset();
    dc_.reset();
}

void SolidSection::Fill(COLORREF colour) {
    if (!bits_) return;
    GdiFlush();
    for (int32_t row = 0; row < height_; ++row) {
        uint8_t* pixel = bits_ + static_cast<size_t>(row) * stride_;
        for (int32_t column = 0; column < width_; ++column, pixel += BytesPerPixel32) {
            pixel[0] = GetBValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[2] = GetRValue(colour);
            pixel[3] = 0;
        }
    }
}

std::vector<uint8_t> SolidSection::Bytes() const {
    GdiFlush();
    return bits_ ? std::vector<uint8_t>(bits_, bits_ + static_cast<size_t>(stride_) * height_) : std::vector<uint8_t>();
}

std::vector<uint8_t> FrontBytes(const TransitionSurface& surface) {
    GdiFlush();
    const TransitionSurfaceProbe probe(surface);
    if (!probe.FrontBits()) return {};
    return std::vector<uint8_t>(probe.FrontBits(), probe.FrontBits() + static_cast<size_t>(probe.Stride()) * probe.Height());
}

namespace {

// Widens rows of 24-bit pixels, rowStride bytes apart, into the 32-bit frame at the given offset.
void WidenRows(std::vector<uint8_t>& frame, size_t frameOffset, int32_t frameStride, const uint8_t* rows,
               int32_t rowStride, int32_t width, int32_t height) {
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* to = &frame[frameOffset + static_cast<size_t>(row) * frameStride + 4 * static_cast<size_t>(x)];
            std::memcpy(to, rows + static_cast<size_t>(row) * rowStride + 3 * static_cast<size_t>(x), 3);
            to[3] = 0;
        }
    }
}

}  // namespace

std::vector<uint8_t> BackdropBytes(const TransitionSurface& surface) {
    GdiFlush();
    const TransitionSurfaceProbe probe(surface);
    if (!probe.BackdropBits()) return {};
    std::vector<uint8_t> frame(static_cast<size_t>(probe.Stride()) * probe.Height());
    WidenRows(frame, 0, probe.Stride(), probe.BackdropBits(), RowStride(surface.Width()), surface.Width(), probe.Height());
    return frame;
}

std::vector<uint8_t> ComposedTarget(const TransitionSurface& surface) {
    std::vector<uint8_t> frame = BackdropBytes(surface);
    const TransitionSurfaceProbe probe(surface);
    const PixelRect box = probe.TargetBox();
    if (frame.empty() || !probe.TargetBits()) return frame;
    const int32_t width = box.Right - box.Left;
    const size_t firstRow = static_cast<size_t>(probe.Height() - box.Bottom) * probe.Stride() + 4 * box.Left;
    WidenRows(frame, firstRow, probe.Stride(), probe.TargetBits(), RowStride(width), width, box.Bottom - box.Top);
    return frame;
}

std::vector<uint8_t> Narrowed(const std::vector<uint8_t>& frame) {
    std::vector<uint8_t> pixels;
    pixels.reserve(frame.size() / 4 * 3);
    for (size_t k = 0; k < frame.size(); ++k)
        if (k % 4 != 3) pixels.push_back(frame[k]);
    return pixels;
}

PicturePixels ReadPicture(Image& picture) {
    PicturePixels pixels;
    if (!picture.Load(nullptr) || !picture.Bitmap()) return pixels;
    DIBSECTION section{};
    if (GetObjectA(picture.Bitmap(), sizeof(section), &section) != sizeof(section)) return pixels;
    pixels.width = section.dsBm.bmWidth;
    pixels.height = section.dsBm.bmHeight;
    pixels.stride = section.dsBm.bmWidthBytes;
    const auto* bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
    pixels.bytes.assign(bits, bits + static_cast<size_t>(pixels.stride) * pixels.height);
    picture.Release();
    return pixels;
}

std::vector<uint8_t> WithPictureAt(const SolidSection& section, int32_t height, const PicturePixels& picture,
                                   int32_t x, int32_t y) {
    std::vector<uint8_t> bytes = section.Bytes();
    for (int32_t row = 0; row < picture.height; ++row) {
        // Both bottom-up: the picture's top row lands on row y from the top.
        uint8_t* to = &bytes[static_cast<size_t>(height - 1 - (y + row)) * section.Stride() + RowStride32(x)];
        const uint8_t* from = &picture.bytes[static_cast<size_t>(picture.height - 1 - row) * picture.stride];
        for (int32_t column = 0; column < picture.width; ++column, to += BytesPerPixel32, from += BytesPerPixel24)
            std::memcpy(to, from, BytesPerPixel24);
    }
    return bytes;
}

std::vector<uint8_t> BackdropWithStretchedPicture(int32_t width, int32_t height, COLORREF backdrop, Image& picture,
                                                  int x, int y, int w, int h) {
    SolidSection expected(width, height, backdrop);
    picture.Load(nullptr);
    UniqueMemoryDc source(CreateCompatibleDC(nullptr));
    {
        SelectionGuard selection(source.get(), picture.Bitmap());
        SetStretchBltMode(expected.Dc(), HALFTONE);
        StretchBlt(expected.Dc(), x, y, w, h, source.get(), 0, 0, picture.Width(), picture.Height(), SRCCOPY);
    }
    picture.Release();
    return expected.Bytes();
}

SceneRig::SceneRig(int32_t width, int32_t height, uint32_t fadeType, uint32_t wait, bool compose)
    : backdrop(width, height, RigBackdrop), scratch(CreateCompatibleDC(nullptr)), scene(new SlideshowScene()) {
    SaverSettings.FadeType = fadeType;
    SaverSettings.Wait = wait;
    ResetRandom();
    const RECT area{0, 0, width, height};
    scene->Open(area, 0);
    scene->Attach(nullptr, area);
    if (compose) Compose();
}

void SceneRig::RunToNextChoice() {
    const int32_t before = scene->Position().CurrentPicture;
    // A choice is the frame that resets the step counter after step 35.
    for (int frame = 0; frame < 100000; ++frame) {
        const int32_t step = scene->Position().StepCounter;
        scene->Advance(1);
        if (step > LastTransitionStep) return;
    }
    ADD_FAILURE() << "no choice after picture " << before;
}
