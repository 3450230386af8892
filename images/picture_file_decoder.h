#pragma once
// Pictures in files, read through the platform's imaging component (JPEG, PNG, BMP and the
// other formats it knows, recognised by their contents rather than their names), scaled while
// they are decoded so that a picture far larger than the screen costs no more memory than the
// part of the screen it covers. The calling thread must have COM started.
#include <windows.h>

#include <wincodec.h>

#include <cstdint>
#include <memory>

#include "common/pixel_rect.h"
#include "common/unique_com.h"

// A packed device-independent bitmap: its header, then 32-bit rows (blue, green, red, unused)
// bottom-up, as a pattern brush takes it. Empty when decoding failed.
struct PackedPicture {
    std::unique_ptr<uint8_t[]> Bytes;

    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(Bytes.get()); }
    explicit operator bool() const { return static_cast<bool>(Bytes); }
};

class PictureFileDecoder {
public:
    // Creates the imaging factory when usable is true (COM started); otherwise decodes nothing.
    explicit PictureFileDecoder(bool usable);

    explicit operator bool() const { return static_cast<bool>(factory_); }

    // Opens the first frame of the file at path and gives its size; false when the file
    // cannot be read as a picture.
    bool Open(const wchar_t* path, uint32_t* width, uint32_t* height);
    // The part of the opened picture, scaled to scaledWidth x scaledHeight, that part covers.
    PackedPicture Decode(int32_t scaledWidth, int32_t scaledHeight, const PixelRect& part);

private:
    UniqueCom<IWICImagingFactory> factory_;
    UniqueCom<IWICBitmapFrameDecode> frame_;
};
