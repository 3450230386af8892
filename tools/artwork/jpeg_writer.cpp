#include "jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct JumpingErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

// The library's default would end the process; the generator wants to report instead.
void LeaveCompression(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JumpingErrorManager*>(info->err)->escape, 1);
}

// Plain C-style body: nothing with a destructor may live between setjmp and longjmp.
bool Compress(const RgbImage& image, int quality, unsigned char** buffer, unsigned long* size) {
    jpeg_compress_struct info;
    JumpingErrorManager errors;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = LeaveCompression;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(image.rgb.data() + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = Compress(image, quality, &buffer, &size);
    std::vector<uint8_t> bytes;
    if (encoded) bytes.assign(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}
