#pragma once
// A 32-bit top-down bitmap section in its own memory context, for drawing into under Wine
// and reading the result back pixel by pixel.
#include <windows.h>

#include <cstdint>

#include "common/unique_handle.h"

class TestCanvas {
public:
    TestCanvas(int width, int height, uint32_t fillRgb) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_.reset(CreateCompatibleDC(nullptr));
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<uint32_t*>(bits);
        if (dc_ && bitmap_) previous_ = SelectObject(dc_.get(), bitmap_.get());
        for (int i = 0; pixels_ && i < width * height; ++i) pixels_[i] = fillRgb;
    }
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;
    ~TestCanvas() {
        if (previous_) SelectObject(dc_.get(), previous_);
        bitmap_.reset();
        dc_.reset();
    }

    bool Ok() const { return dc_ && bitmap_ && pixels_; }
    HDC Dc() const { return dc_.get(); }
    // 0xRRGGBB of the pixel; drawing calls are flushed first.
    uint32_t Pixel(int x, int y) const {
        GdiFlush();
        return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] & 0xFFFFFF;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

inline uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}
