#include "ico_writer.h"

#include "bmp_writer.h"
#include "byte_writer.h"

namespace {

constexpr uint32_t IconResourceType = 1;
constexpr uint32_t IconBits = 32;
constexpr uint32_t Planes = 1;

uint32_t ColourBytes(const RgbaImage& image) { return BmpStride(image.width, IconBits) * image.height; }

uint32_t MaskBytes(const RgbaImage& image) { return BmpStride(image.width, 1) * image.height; }

uint32_t ImageBytes(const RgbaImage& image) { return BmpInfoHeaderSize + ColourBytes(image) + MaskBytes(image); }

// An icon image's header counts the colour rows and the mask rows together.
void AppendImage(std::vector<uint8_t>& bytes, const RgbaImage& image) {
    AppendBmpInfoHeader(bytes, image.width, image.height * 2, IconBits, ColourBytes(image) + MaskBytes(image), 0);
    ByteWriter out(bytes);
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* p = &image.rgba[static_cast<size_t>(y) * image.width * 4];
        for (int x = 0; x < image.width; ++x, p += 4) {
            out.U8(p[2]);
            out.U8(p[1]);
            out.U8(p[0]);
            out.U8(p[3]);
        }
    }
    const uint32_t maskStride = BmpStride(image.width, 1);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < image.width; ++x) {
            const bool transparent = image.rgba[(static_cast<size_t>(y) * image.width + x) * 4 + 3] == 0;
            if (transparent) row[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
        }
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<uint8_t> EncodeIcon(const std::vector<RgbaImage>& images) {
    for (const RgbaImage& image : images) {
        const bool square = image.width == image.height;
        const bool sized = image.width >= 1 && image.width <= LargestIconSide;
        if (!square || !sized || image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4) return {};
    }
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    out.U16(0);
    out.U16(IconResourceType);
    out.U16(static_cast<uint32_t>(images.size()));
    uint32_t offset = IconDirectorySize + IconEntrySize * static_cast<uint32_t>(images.size());
    for (const RgbaImage& image : images) {
        // A side of 256 does not fit the byte and is written as 0.
        const uint32_t side = image.width == LargestIconSide ? 0 : static_cast<uint32_t>(image.width);
        out.U8(side);
        out.U8(side);
        out.U8(0);
        out.U8(0);
        out.U16(Planes);
        out.U16(IconBits);
        out.U32(ImageBytes(image));
        out.U32(offset);
        offset += ImageBytes(image);
    }
    for (const RgbaImage& image : images) AppendImage(bytes, image);
    return bytes;
}
