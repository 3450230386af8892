// Arbitrary bytes through the system's JPEG decoding path: the source manager over an
// in-memory byte source, the decode job and the bottom-up row placement.
#include <cstddef>
#include <cstdint>

#include "images/bottom_up_row_writer.h"
#include "tests/images/jpeg_memory_decode.h"

namespace {
// Large enough for every real picture of the system, small enough that a few header bytes
// claiming a huge picture cannot exhaust memory or time.
constexpr uint64_t FuzzPixelLimit = 2048 * 2048;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryDecodeOptions options;
    options.PixelLimit = FuzzPixelLimit;
    const MemoryDecode decode = DecodeJpegFromMemory(data, size, options);
    // A completed decode must have filled a buffer of exactly the bitmap's size.
    if (decode.Result == 1 && decode.Pixels.size() != PixelBufferBytes(decode.Width, decode.Height)) {
        __builtin_trap();
    }
    return 0;
}
