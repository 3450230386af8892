#include "images/jpeg_decode_job.h"

#include <new>

#include "images/bottom_up_row_writer.h"
#include "images/jpeg_source_manager.h"
#include "images/picture_resampler.h"

#ifndef JCS_EXTENSIONS
#error "the decoder must offer blue-green-red output (JCS_EXT_BGR)"
#endif

namespace {

uint8_t* AllocateZeroedRow(size_t size) { return new (std::nothrow) uint8_t[size](); }

}  // namespace

JpegDecodeJob::JpegDecodeJob(ByteSource& source, JpegErrorExit errorExit, void* errorContext)
    : allocateRow_(AllocateZeroedRow), source_(source), errorExit_(errorExit) {
    decompressor_.client_data = errorContext;
}

JpegDecodeJob::~JpegDecodeJob() { Abort(); }

void JpegDecodeJob::FreeRowBuffer() {
    delete[] rowBuffer_;
    rowBuffer_ = nullptr;
    delete[] decodedPicture_;
    decodedPicture_ = nullptr;
}

void JpegDecodeJob::Abort() {
    FreeRowBuffer();
    jpeg_destroy_decompress(&decompressor_);
}

int JpegDecodeJob::Run(PixelSink& sink) {
    decompressor_.err = jpeg_std_error(&errors_);
    errors_.error_exit = errorExit_;
    jpeg_create_decompress(&decompressor_);
    AttachJpegSource(&decompressor_, source_);
    jpeg_read_header(&decompressor_, TRUE);

    // Grey and colour pictures are decoded straight to blue-green-red by the library's own
    // (vectorised) colour conversion, the bitmap's byte order, so rows need no reordering.
    // Anything else (CMYK) stays at its own component count and is refused below, so a
    // row is never read past its end.
    switch (decompressor_.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        decompressor_.out_color_space = JCS_EXT_BGR;
        break;
    default:
        break;
    }
    const uint64_t pixelCount = static_cast<uint64_t>(decompressor_.image_width) * decompressor_.image_height;
    if (pixelLimit_ != 0 && pixelCount > pixelLimit_) return 0;

    ScaledDecode scaled;
    if (dpi_ != UnscaledDpi) {
        scaled = PlanScaledDecode(static_cast<int>(decompressor_.image_width),
                                  static_cast<int>(decompressor_.image_height), dpi_, roomWidth_, roomHeight_);
        decompressor_.scale_num = static_cast<unsigned int>(scaled.ScaleNumerator);
        decompressor_.scale_denom = DecodeScaleDenominator;
    }

    jpeg_start_decompress(&decompressor_);
    if (decompressor_.output_components != BytesPerPixel24) return 0;
    int width = static_cast<int>(decompressor_.output_width);
    int height = static_cast<int>(decompressor_.output_height);
    const bool resampled = dpi_ != UnscaledDpi && (width != scaled.Width || height != scaled.Height);
    if (resampled) {
        width = scaled.Width;
        height = scaled.Height;
    }
    uint8_t* pixels = sink.AllocatePixels(width, height);
    if (!pixels) return 0;
    if (resampled) return DecodeResampled(pixels, width, height);

    BottomUpRowWriter writer(pixels, width, height);
    rowBuffer_ = allocateRow_(writer.SampleCount() + RowBufferSlack);
    if (!rowBuffer_) return 0;
    while (decompressor_.output_scanline < decompressor_.output_height) {
        JSAMPROW row = rowBuffer_;
        // The source never suspends, so anything but one row means the decoder is stuck.
        if (jpeg_read_scanlines(&decompressor_, &row, 1) != 1) return 0;
        writer.WriteRow(rowBuffer_);
    }
    FreeRowBuffer();
    jpeg_finish_decompress(&decompressor_);
    jpeg_destroy_decompress(&decompressor_);
    return 1;
}

int JpegDecodeJob::DecodeResampled(uint8_t* pixels, int width, int height) {
    const size_t decodedRowBytes = static_cast<size_t>(decompressor_.output_width) * BytesPerPixel24;
    decodedPicture_ = allocateRow_(decodedRowBytes * decompressor_.output_height);
    if (!decodedPicture_) return 0;
    while (decompressor_.output_scanline < decompressor_.output_height) {
        JSAMPROW row = decodedPicture_ + decodedRowBytes * decompressor_.output_scanline;
        if (jpeg_read_scanlines(&decompressor_, &row, 1) != 1) return 0;
    }
    const SourceRows decoded{decodedPicture_, static_cast<ptrdiff_t>(decodedRowBytes),
                             static_cast<int>(decompressor_.output_width), static_cast<int>(decompressor_.output_height)};
    jpeg_finish_decompress(&decompressor_);
    jpeg_destroy_decompress(&decompressor_);
    // The sink's buffer is bottom-up: its top row is the last in memory.
    const ptrdiff_t stride = RowStride(width);
    const TargetRows target{pixels + stride * (height - 1), -stride, width, height};
    const int result = ResamplePicture(decoded, target) ? 1 : 0;
    FreeRowBuffer();
    return result;
}
