#pragma once
// Connects the JPEG decoder to a ByteSource: blocks of InputBufferSize bytes, an
// "Empty input file" error when the very first read gives nothing, and a fake
// end-of-image marker (with the "Premature end of JPEG file" warning) after the end.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "images/byte_source.h"

inline constexpr size_t InputBufferSize = 4096;

struct JpegSourceManager {
    jpeg_source_mgr Public;  // first, so the decoder's src pointer is this record
    ByteSource* Stream;
    JOCTET* Buffer;
    boolean StartOfFile;
};

// Allocates the record and its buffer from the decompressor's permanent pool (they die
// with jpeg_destroy) and installs it as the decompressor's source. Must follow creation.
void AttachJpegSource(j_decompress_ptr decompressor, ByteSource& stream);
