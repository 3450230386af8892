#include "images/jpeg_image.h"

#include "images/pixel_section.h"
#include "images/resource_stream.h"

namespace {

constexpr int DecoderFailure = -1;

// The library is built to let exceptions pass through it; Load catches this one.
[[noreturn]] void ThrowingErrorExit(j_common_ptr) { throw DecoderFailure; }

}  // namespace

int JpegImage::Load(LPCSTR source) {
    if (bitmap_) return 1;
    if (maskBitmap_) Release();
    if (!source) source = RememberedSource();
    if (!source) return 1;

    ResourceStream stream;
    if (!stream.OpenResource(nullptr, source, JpegResourceType)) return 0;
    JpegDecodeJob job(stream, ThrowingErrorExit);
    job.ScaleTo(dpi_);
    job.FitWithin(roomWidth_, roomHeight_);
    int result = 0;
    try {
        result = job.Run(*this);
    } catch (int) {
        result = 0;
    }
    stream.Close();
    if (result) return 1;
    job.Abort();
    Release();
    return 0;
}

uint8_t* JpegImage::AllocatePixels(int width, int height) {
    uint8_t* pixels = nullptr;
    bitmap_ = CreatePixelSection(nullptr, width, height, BitsPerPixel24, &pixels);
    if (!bitmap_) return nullptr;
    width_ = width;
    height_ = height;
    return pixels;
}
