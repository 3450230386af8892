#include "tests/images/jpeg_memory_decode.h"

#include <csetjmp>

#include "images/bottom_up_row_writer.h"
#include "images/memory_byte_source.h"

namespace {

class VectorSink : public PixelSink {
public:
    VectorSink(MemoryDecode& decode, bool refuse) : decode_(decode), refuse_(refuse) {}
    uint8_t* AllocatePixels(int width, int height) override {
        if (refuse_) return nullptr;
        decode_.Width = width;
        decode_.Height = height;
        decode_.Pixels.assign(PixelBufferBytes(width, height), 0);
        return decode_.Pixels.data();
    }

private:
    MemoryDecode& decode_;
    bool refuse_;
};

// A job with the limits a test chooses.
class LimitedJob : public JpegDecodeJob {
public:
    LimitedJob(ByteSource& source, JpegErrorExit errorExit, void* errorContext, const MemoryDecodeOptions& options)
        : JpegDecodeJob(source, errorExit, errorContext) {
        pixelLimit_ = options.PixelLimit;
        if (options.AllocateRow) allocateRow_ = options.AllocateRow;
        ScaleTo(options.Dpi);
    }
    int Warnings() const { return static_cast<int>(errors_.num_warnings); }
    int LastMessageCode() const { return errors_.msg_code; }
};

// Counts what it hands out, so tests can see how far the decoder read.
class CountingSource : public ByteSource {
public:
    CountingSource(const uint8_t* data, size_t size) : inner_(data, static_cast<int32_t>(size)) {}
    int Read(void* buffer, int length) override {
        const int count = inner_.Read(buffer, length);
        BytesRead += static_cast<size_t>(count);
        return count;
    }
    size_t BytesRead = 0;

private:
    MemoryByteSource inner_;
};

[[noreturn]] void JumpingErrorExit(j_common_ptr common) {
    std::longjmp(*static_cast<std::jmp_buf*>(common->client_data), 1);
}

// The landing frame keeps no locals that change after setjmp; the job lives in the caller.
int RunWithLanding(JpegDecodeJob& job, PixelSink& sink, std::jmp_buf& landing, bool& errorExitTaken) {
    if (setjmp(landing) != 0) {
        errorExitTaken = true;
        return 0;
    }
    return job.Run(sink);
}

}  // namespace

MemoryDecode DecodeJpegFromMemory(const uint8_t* data, size_t size, const MemoryDecodeOptions& options) {
    MemoryDecode decode;
    CountingSource source(data, size);
    VectorSink sink(decode, options.RefusePixels);
    std::jmp_buf landing;
    LimitedJob job(source, JumpingErrorExit, &landing, options);
    decode.Result = RunWithLanding(job, sink, landing, decode.ErrorExitTaken);
    decode.Warnings = job.Warnings();
    decode.LastMessageCode = job.LastMessageCode();
    decode.BytesRead = source.BytesRead;
    job.Abort();
    return decode;
}
