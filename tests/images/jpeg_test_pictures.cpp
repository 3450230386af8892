#include "tests/images/jpeg_test_pictures.h"

#include <csetjmp>
#include <cstdlib>

namespace {

struct JumpingErrors {
    jpeg_error_mgr Base;
    jmp_buf Landing;
};

[[noreturn]] void JumpOut(j_common_ptr common) {
    std::longjmp(reinterpret_cast<JumpingErrors*>(common->err)->Landing, 1);
}

void Quiet(j_common_ptr) {}

constexpr uint8_t MarkerPrefix = 0xFF;
constexpr uint8_t StartOfScan = 0xDA;

}  // namespace

TestPicture MakePatternPicture(int width, int height, int components, uint32_t seed) {
    TestPicture picture;
    picture.Width = width;
    picture.Height = height;
    picture.Components = components;
    picture.ColorSpace = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    picture.Samples.resize(static_cast<size_t>(width) * height * components);
    size_t i = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                picture.Samples[i++] = static_cast<uint8_t>((x * (c + 1) * 7 + y * 5 + c * 60 + seed * 13) & 0xFF);
    return picture;
}

TestPicture MakeBlockPicture(int width, int height, const std::vector<uint32_t>& rgbPerBlockRow) {
    constexpr int BlockSize = 16;
    TestPicture picture;
    picture.Width = width;
    picture.Height = height;
    picture.Samples.resize(static_cast<size_t>(width) * height * 3);
    size_t i = 0;
    for (int y = 0; y < height; ++y) {
        const uint32_t rgb = rgbPerBlockRow[static_cast<size_t>(y / BlockSize) % rgbPerBlockRow.size()];
        for (int x = 0; x < width; ++x) {
            picture.Samples[i++] = static_cast<uint8_t>(rgb >> 16);
            picture.Samples[i++] = static_cast<uint8_t>(rgb >> 8);
            picture.Samples[i++] = static_cast<uint8_t>(rgb);
        }
    }
    return picture;
}

std::vector<uint8_t> EncodeJpeg(const TestPicture& picture, const EncodeOptions& options) {
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&compressor, &output, &outputSize);
    compressor.image_width = static_cast<JDIMENSION>(picture.Width);
    compressor.image_height = static_cast<JDIMENSION>(picture.Height);
    compressor.input_components = picture.Components;
    compressor.in_color_space = picture.ColorSpace;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, options.Quality, TRUE);
    if (options.Progressive) jpeg_simple_progression(&compressor);
    jpeg_start_compress(&compressor, TRUE);
    const size_t rowBytes = static_cast<size_t>(picture.Width) * picture.Components;
    while (compressor.next_scanline < compressor.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(picture.Samples.data() + rowBytes * compressor.next_scanline);
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    std::vector<uint8_t> bytes(output, output + outputSize);
    jpeg_destroy_compress(&compressor);
    std::free(output);
    return bytes;
}

std::vector<uint8_t> EncodeTablesOnly() {
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&compressor, &output, &outputSize);
    compressor.in_color_space = JCS_RGB;
    compressor.input_components = 3;
    jpeg_set_defaults(&compressor);
    jpeg_write_tables(&compressor);
    std::vector<uint8_t> bytes(output, output + outputSize);
    jpeg_destroy_compress(&compressor);
    std::free(output);
    return bytes;
}

namespace {

// The jump lands in this frame, whose only locals are references that never change.
bool RunReferenceDecode(jpeg_decompress_struct& decompressor, JumpingErrors& errors, const std::vector<uint8_t>& jpeg,
                        J_COLOR_SPACE outColorSpace, ReferenceDecode& result) {
    if (setjmp(errors.Landing) != 0) return false;
    jpeg_create_decompress(&decompressor);
    jpeg_mem_src(&decompressor, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&decompressor, TRUE);
    if (outColorSpace != JCS_UNKNOWN) decompressor.out_color_space = outColorSpace;
    jpeg_start_decompress(&decompressor);
    result.Width = static_cast<int>(decompressor.output_width);
    result.Height = static_cast<int>(decompressor.output_height);
    result.Components = decompressor.output_components;
    const size_t rowBytes = static_cast<size_t>(result.Width) * result.Components;
    result.Samples.resize(rowBytes * result.Height);
    while (decompressor.output_scanline < decompressor.output_height) {
        JSAMPROW row = result.Samples.data() + rowBytes * decompressor.output_scanline;
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    return true;
}

}  // namespace

ReferenceDecode DecodeReference(const std::vector<uint8_t>& jpeg, J_COLOR_SPACE outColorSpace) {
    ReferenceDecode result;
    jpeg_decompress_struct decompressor{};
    JumpingErrors errors{};
    decompressor.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = JumpOut;
    errors.Base.output_message = Quiet;
    result.Ok = RunReferenceDecode(decompressor, errors, jpeg, outColorSpace, result);
    jpeg_destroy_decompress(&decompressor);
    return result;
}

size_t EntropyDataOffset(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 0; i + 3 < jpeg.size(); ++i) {
        if (jpeg[i] == MarkerPrefix && jpeg[i + 1] == StartOfScan) {
            const size_t length = (static_cast<size_t>(jpeg[i + 2]) << 8) | jpeg[i + 3];
            return i + 2 + length;
        }
    }
    return jpeg.size();
}
