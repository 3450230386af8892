#include "bmp_writer.h"

#include "byte_writer.h"

namespace {

constexpr uint32_t BmpSignature = 0x4D42;  // "BM"
constexpr uint32_t PixelsPerMetre = 3780;  // 96 dots per inch
constexpr uint32_t ColourTableEntrySize = 4;

void AppendFileHeader(std::vector<uint8_t>& bytes, uint32_t pixelOffset, uint32_t fileSize) {
    ByteWriter out(bytes);
    out.U16(BmpSignature);
    out.U32(fileSize);
    out.U32(0);
    out.U32(pixelOffset);
}

}  // namespace

uint32_t BmpStride(int width, int bitsPerPixel) {
    return ((static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void AppendBmpInfoHeader(std::vector<uint8_t>& bytes, int width, int height, int bitsPerPixel,
                         uint32_t imageBytes, uint32_t coloursUsed) {
    constexpr uint32_t Planes = 1;
    constexpr uint32_t UncompressedRgb = 0;  // BI_RGB
    ByteWriter out(bytes);
    out.U32(BmpInfoHeaderSize);
    out.U32(static_cast<uint32_t>(width));
    out.U32(static_cast<uint32_t>(height));
    out.U16(Planes);
    out.U16(static_cast<uint32_t>(bitsPerPixel));
    out.U32(UncompressedRgb);
    out.U32(imageBytes);
    out.U32(PixelsPerMetre);
    out.U32(PixelsPerMetre);
    out.U32(coloursUsed);
    out.U32(0);
}

std::vector<uint8_t> EncodeIndexedBmp(const IndexedImage& image) {
    constexpr int Bits = 8;
    const uint32_t stride = BmpStride(image.width, Bits);
    const uint32_t imageBytes = stride * image.height;
    const uint32_t pixelOffset = BmpFileHeaderSize + BmpInfoHeaderSize + PaletteSize * ColourTableEntrySize;
    std::vector<uint8_t> bytes;
    bytes.reserve(pixelOffset + imageBytes);
    AppendFileHeader(bytes, pixelOffset, pixelOffset + imageBytes);
    AppendBmpInfoHeader(bytes, image.width, image.height, Bits, imageBytes, PaletteSize);
    ByteWriter out(bytes);
    for (const Rgb8& c : image.palette) {
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const auto row = image.indexes.begin() + static_cast<ptrdiff_t>(y) * image.width;
        bytes.insert(bytes.end(), row, row + image.width);
        out.Zeros(stride - image.width);
    }
    return bytes;
}

std::vector<uint8_t> EncodeRgbBmp(const RgbImage& image) {
    constexpr int Bits = 24;
    const uint32_t stride = BmpStride(image.width, Bits);
    const uint32_t imageBytes = stride * image.height;
    const uint32_t pixelOffset = BmpFileHeaderSize + BmpInfoHeaderSize;
    std::vector<uint8_t> bytes;
    bytes.reserve(pixelOffset + imageBytes);
    AppendFileHeader(bytes, pixelOffset, pixelOffset + imageBytes);
    AppendBmpInfoHeader(bytes, image.width, image.height, Bits, imageBytes, 0);
    ByteWriter out(bytes);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb8 c = image.At(x, y);
            out.U8(c.b);
            out.U8(c.g);
            out.U8(c.r);
        }
        out.Zeros(stride - static_cast<uint32_t>(image.width) * 3);
    }
    return bytes;
}
