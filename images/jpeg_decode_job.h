#pragma once
// One decode of a JPEG picture from a ByteSource into a 24-bit bottom-up pixel buffer of
// blue-green-red pixels.
//
// Fatal decoder errors leave through the error exit given by the caller, which must not
// return: on Windows it throws an int (the library is built to unwind), while native
// builds of the library are plain C, so native callers jump out with longjmp instead.
// To be safe for both, Run keeps no automatic object with a destructor: everything it
// acquires lives in the job, and the caller calls Abort after the error exit fired.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

#include "images/byte_source.h"
#include "images/picture_scale.h"

// Receives the decoded size and hands out the pixel buffer to fill: PixelBufferBytes(width,
// height) bytes, or null to refuse the picture.
class PixelSink {
public:
    virtual uint8_t* AllocatePixels(int width, int height) = 0;

protected:
    ~PixelSink() = default;
};

using JpegErrorExit = void (*)(j_common_ptr);
// Returns a row buffer allocated with new[], or null when there is no memory.
using RowAllocator = uint8_t* (*)(size_t size);

// The row buffer is a little longer than a decoded row so that a whole stride, up to
// three bytes past the last pixel, can be copied from it.
inline constexpr size_t RowBufferSlack = 10;

class JpegDecodeJob {
public:
    // errorContext is stored as the decompressor's client_data for the error exit.
    JpegDecodeJob(ByteSource& source, JpegErrorExit errorExit, void* errorContext = nullptr);
    JpegDecodeJob(const JpegDecodeJob&) = delete;
    JpegDecodeJob& operator=(const JpegDecodeJob&) = delete;
    ~JpegDecodeJob();

    // The picture is decoded at its size at dpi (PlanScaledDecode); at UnscaledDpi, the
    // default, the decoder is left exactly as the library sets it up. Call before Run.
    void ScaleTo(int dpi) { dpi_ = dpi; }
    // A scaled picture is decoded no larger than the box it is shown in within this room.
    void FitWithin(int roomWidth, int roomHeight) {
        roomWidth_ = roomWidth;
        roomHeight_ = roomHeight;
    }
    // Decodes the whole picture into the sink's buffer: 1 when done, 0 when the picture
    // is refused (not three components after asking for blue-green-red, over the pixel
    // limit, refused by the sink, no row buffer). Call once per job.
    int Run(PixelSink& sink);
    // Frees the row buffer and destroys the decompressor; harmless when already done.
    void Abort();

protected:
    // The decoder's error manager: its warning count and last message tell how a decode went.
    jpeg_error_mgr errors_{};
    // Pictures with more pixels than this are refused before decoding; 0 means no limit.
    uint64_t pixelLimit_ = 0;
    RowAllocator allocateRow_;

private:
    void FreeRowBuffer();
    // Decodes every row into a picture of the decoder's size, then resamples that into the
    // sink's buffer at width x height.
    int DecodeResampled(uint8_t* pixels, int width, int height);

    jpeg_decompress_struct decompressor_{};
    ByteSource& source_;
    JpegErrorExit errorExit_;
    uint8_t* rowBuffer_ = nullptr;
    // The whole picture at the decoder's size, top-down, while it waits to be resampled.
    uint8_t* decodedPicture_ = nullptr;
    int dpi_ = UnscaledDpi;
    int roomWidth_ = 0;
    int roomHeight_ = 0;
};
