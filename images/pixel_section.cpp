#include "images/pixel_section.h"

namespace {

constexpr WORD SinglePlane = 1;

}  // namespace

UniqueBitmap CreatePixelSection(HDC dc, int32_t width, int32_t height, int32_t bitsPerPixel, uint8_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    // A positive height makes the rows run bottom-up.
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = SinglePlane;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap section(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!section || !pixels) {
        section.reset();
        pixels = nullptr;
    }
    *bits = static_cast<uint8_t*>(pixels);
    return section;
}
