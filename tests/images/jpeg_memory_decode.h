#pragma once
// Native driver of JpegDecodeJob over bytes in memory, for tests and the fuzzer. The
// native libjpeg is plain C, so fatal errors leave the decoder through longjmp.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "images/jpeg_decode_job.h"

struct MemoryDecodeOptions {
    uint64_t PixelLimit = 0;
    RowAllocator AllocateRow = nullptr;  // null: the job's own
    bool RefusePixels = false;           // the sink declines the buffer
    int Dpi = 96;                        // the scale the picture is decoded at
};

struct MemoryDecode {
    int Result = 0;
    bool ErrorExitTaken = false;
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;  // bottom-up, blue-green-red, RowStride(Width) per row
    int Warnings = 0;
    int LastMessageCode = 0;
    size_t BytesRead = 0;
};

MemoryDecode DecodeJpegFromMemory(const uint8_t* data, size_t size, const MemoryDecodeOptions& options = {});
