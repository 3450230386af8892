#include "images/jpeg_source_manager.h"

#include <jerror.h>

namespace {

// The two bytes of an end-of-image marker, handed to the decoder once the data runs out.
constexpr JOCTET MarkerPrefix = 0xFF;
constexpr JOCTET EndOfImage = JPEG_EOI;

JpegSourceManager* ManagerOf(j_decompress_ptr decompressor) {
    return reinterpret_cast<JpegSourceManager*>(decompressor->src);
}

void InitSource(j_decompress_ptr decompressor) {
    ManagerOf(decompressor)->StartOfFile = TRUE;
}

boolean FillInputBuffer(j_decompress_ptr decompressor) {
    JpegSourceManager* manager = ManagerOf(decompressor);
    size_t count = static_cast<size_t>(manager->Stream->Read(manager->Buffer, static_cast<int>(InputBufferSize)));
    if (count == 0) {
        if (manager->StartOfFile) ERREXIT(decompressor, JERR_INPUT_EMPTY);
        WARNMS(decompressor, JWRN_JPEG_EOF);
        manager->Buffer[0] = MarkerPrefix;
        manager->Buffer[1] = EndOfImage;
        count = 2;
    }
    manager->Public.next_input_byte = manager->Buffer;
    manager->Public.bytes_in_buffer = count;
    manager->StartOfFile = FALSE;
    return TRUE;
}

void SkipInputData(j_decompress_ptr decompressor, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = decompressor->src;
    while (count > static_cast<long>(source->bytes_in_buffer)) {
        count -= static_cast<long>(source->bytes_in_buffer);
        FillInputBuffer(decompressor);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

}  // namespace

void AttachJpegSource(j_decompress_ptr decompressor, ByteSource& stream) {
    j_common_ptr common = reinterpret_cast<j_common_ptr>(decompressor);
    auto* manager = static_cast<JpegSourceManager*>(
        decompressor->mem->alloc_small(common, JPOOL_PERMANENT, sizeof(JpegSourceManager)));
    manager->Buffer = static_cast<JOCTET*>(
        decompressor->mem->alloc_small(common, JPOOL_PERMANENT, InputBufferSize * sizeof(JOCTET)));
    manager->Stream = &stream;
    manager->StartOfFile = TRUE;
    manager->Public.init_source = InitSource;
    manager->Public.fill_input_buffer = FillInputBuffer;
    manager->Public.skip_input_data = SkipInputData;
    manager->Public.resync_to_restart = jpeg_resync_to_restart;
    manager->Public.term_source = TermSource;
    manager->Public.bytes_in_buffer = 0;
    manager->Public.next_input_byte = nullptr;
    decompressor->src = &manager->Public;
}
