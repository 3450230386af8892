#include "images/picture_file_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "common/pixel_layout.h"

namespace {

PackedPicture AllocatePacked(int32_t width, int32_t height) {
    const size_t rowBytes = size_t{static_cast<uint32_t>(width)} * BytesPerPixel32;
    PackedPicture picture;
    picture.Bytes.reset(new (std::nothrow) uint8_t[sizeof(BITMAPINFOHEADER) + rowBytes * height]);
    if (!picture.Bytes) return picture;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = BitsPerPixel32;
    header.biCompression = BI_RGB;
    std::memcpy(picture.Bytes.get(), &header, sizeof header);
    return picture;
}

// The decoder writes rows top-down; the packed bitmap keeps them bottom-up.
void TurnRowsOver(uint8_t* rows, size_t rowBytes, int32_t height) {
    for (int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(rows + rowBytes * top, rows + rowBytes * (top + 1), rows + rowBytes * bottom);
    }
}

}  // namespace

PictureFileDecoder::PictureFileDecoder(bool usable) {
    if (!usable) return;
    // The first version of the factory: the one Windows 7 has.
    CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     factory_.PutUntyped());
}

bool PictureFileDecoder::Open(const wchar_t* path, uint32_t* width, uint32_t* height) {
    frame_.reset();
    if (!factory_ || !path || !*path) return false;
    UniqueCom<IWICBitmapDecoder> decoder;
    if (FAILED(factory_->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame_.Put()))) {
        frame_.reset();
        return false;
    }
    UINT frameWidth = 0, frameHeight = 0;
    if (!frame_ || FAILED(frame_->GetSize(&frameWidth, &frameHeight))) {
        frame_.reset();
        return false;
    }
    *width = frameWidth;
    *height = frameHeight;
    return true;
}

PackedPicture PictureFileDecoder::Decode(int32_t scaledWidth, int32_t scaledHeight, const PixelRect& part) {
    if (!frame_ || part.Empty()) return {};
    UniqueCom<IWICBitmapScaler> scaler;
    UniqueCom<IWICFormatConverter> converter;
    if (FAILED(factory_->CreateBitmapScaler(scaler.Put())) ||
        FAILED(scaler->Initialize(frame_.get(), scaledWidth, scaledHeight, WICBitmapInterpolationModeFant)) ||
        FAILED(factory_->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return {};
    }
    const int32_t width = part.Right - part.Left;
    const int32_t height = part.Bottom - part.Top;
    PackedPicture picture = AllocatePacked(width, height);
    if (!picture) return {};
    const UINT rowBytes = static_cast<UINT>(width * BytesPerPixel32);
    uint8_t* rows = picture.Bytes.get() + sizeof(BITMAPINFOHEADER);
    const WICRect rect = {part.Left, part.Top, width, height};
    // A truncated or damaged file fails here, after its size was read.
    if (FAILED(converter->CopyPixels(&rect, rowBytes, rowBytes * static_cast<UINT>(height), rows))) return {};
    TurnRowsOver(rows, rowBytes, height);
    return picture;
}
