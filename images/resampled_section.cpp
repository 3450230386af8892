#include "images/resampled_section.h"

#include "images/picture_resampler.h"
#include "images/pixel_section.h"

namespace {

// Bottom-up rows walked from the picture's top row, the last in memory.
template <typename Rows, typename Byte>
Rows TopDown(Byte* bits, int width, int height) {
    const ptrdiff_t stride = RowStride(width);
    return Rows{bits + stride * (height - 1), -stride, width, height};
}

}  // namespace

UniqueBitmap ResampleSection(HBITMAP source, int width, int height) {
    DIBSECTION section{};
    if (!source || GetObjectW(source, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits ||
        section.dsBmih.biBitCount != BitsPerPixel24 || section.dsBmih.biHeight <= 0)
        return UniqueBitmap();
    uint8_t* bits = nullptr;
    UniqueBitmap target = CreatePixelSection(nullptr, width, height, BitsPerPixel24, &bits);
    if (!target) return target;
    // Drawing into the source may still be queued.
    GdiFlush();
    const auto* sourceBits = static_cast<const uint8_t*>(section.dsBm.bmBits);
    if (!ResamplePicture(TopDown<SourceRows>(sourceBits, section.dsBm.bmWidth, section.dsBm.bmHeight),
                         TopDown<TargetRows>(bits, width, height)))
        target.reset();
    return target;
}
