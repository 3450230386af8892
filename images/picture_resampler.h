#pragma once
// Resamples a picture of 3-byte pixels to another size with a Catmull-Rom filter, widened by
// the reduction when the picture shrinks so that every source pixel counts: no blocks, no
// aliasing, and no more blur than the filter's own. Edges repeat their outermost pixels.
// Platform-free.
#include <cstddef>
#include <cstdint>

// Rows of 3-byte pixels from the picture's top row down. Stride may be negative, so that a
// bottom-up buffer is walked from the top row at its end.
template <typename Byte>
struct PixelRowsOf {
    Byte* Top = nullptr;
    ptrdiff_t Stride = 0;
    int Width = 0;
    int Height = 0;
};
using SourceRows = PixelRowsOf<const uint8_t>;
using TargetRows = PixelRowsOf<uint8_t>;

// Fills target with source resampled to target's size. False, with target untouched, when
// either is empty or there is no memory for the work rows.
bool ResamplePicture(const SourceRows& source, const TargetRows& target);
