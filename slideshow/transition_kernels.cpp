#include "slideshow/transition_kernels.h"

#include "slideshow/fade_kernel.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr ptrdiff_t BlockTileBytes = BlockTilePixels * BytesPerPixel32;
// Block works on pairs of rows and pairs of columns: the square shrinks by two pixels a step.
constexpr int32_t BlockPairSize = 2;
constexpr ptrdiff_t BlockPairBytes = BlockPairSize * BytesPerPixel32;

size_t RowBytes(const TransitionPixels& pixels) { return static_cast<size_t>(BytesPerPixel32) * pixels.Width; }

bool HasPixels(const TransitionPixels& pixels) {
    return pixels.Front && pixels.From && pixels.Target && pixels.Width > 0 && pixels.Height > 0 &&
           pixels.Stride >= BytesPerPixel32 * pixels.Width && pixels.FromStride >= BytesPerPixel32 * pixels.Width;
}

ptrdiff_t RowOffset(int32_t row, int32_t stride) { return static_cast<ptrdiff_t>(row) * stride; }

}  // namespace

int FadeStep(const TransitionPixels& pixels, int32_t step) {
    if (!HasPixels(pixels)) return 0;
    // Steps outside 0..32 never reach here from the surface; a negative one holds at the
    // start, and FadeBytes holds those past 32 at the end.
    const uint32_t fadeStep = step < 0 ? 0 : static_cast<uint32_t>(step);
    for (int32_t row = 0; row < pixels.Height; ++row) {
        const ptrdiff_t offset = RowOffset(row, pixels.Stride);
        FadeBytes(pixels.Front + offset, pixels.From + RowOffset(row, pixels.FromStride), pixels.Target + offset,
                  RowBytes(pixels), fadeStep);
    }
    return 1;
}

int ShadeStep(const TransitionPixels& pixels, int32_t step, bool reverseSweep) {
    if (!HasPixels(pixels)) return 0;
    const int32_t phase = reverseSweep ? LastEffectStep - step : step;
    if (phase < 0 || phase >= ShadeBandRows) return 1;
    for (int32_t row = phase; row < pixels.Height; row += ShadeBandRows) {
        const ptrdiff_t offset = RowOffset(row, pixels.Stride);
        std::memcpy(pixels.Front + offset, pixels.Target + offset, RowBytes(pixels));
    }
    return 1;
}

int BlockStep(const TransitionPixels& pixels, int32_t step) {
    if (!HasPixels(pixels) || step <= 0) return 0;
    // side is the half side of the square that remains after this step, in pixel pairs.
    const int32_t side = LastEffectStep - step;
    if (side < 0) return 1;
    const int32_t tiles = pixels.Width / BlockTilePixels;
    const ptrdiff_t edgeOffset = BlockPairBytes * side;
    const size_t edgeRowBytes = static_cast<size_t>(edgeOffset + BlockPairBytes);
    for (int32_t row = 0; row < pixels.Height; ++row) {
        const int32_t pair = (row % BlockTilePixels) / BlockPairSize;
        if (pair > side) continue;
        const ptrdiff_t rowOffset = RowOffset(row, pixels.Stride);
        for (int32_t tile = 0; tile < tiles; ++tile) {
            const ptrdiff_t tileOffset = rowOffset + tile * BlockTileBytes;
            if (pair == side)
                std::memcpy(pixels.Front + tileOffset, pixels.Target + tileOffset, edgeRowBytes);
            else
                std::memcpy(pixels.Front + tileOffset + edgeOffset, pixels.Target + tileOffset + edgeOffset,
                            BlockPairBytes);
        }
    }
    return 1;
}

void CopyWholeFrame(const TransitionPixels& pixels) {
    if (!HasPixels(pixels)) return;
    for (int32_t row = 0; row < pixels.Height; ++row) {
        const ptrdiff_t offset = RowOffset(row, pixels.Stride);
        std::memcpy(pixels.Front + offset, pixels.Target + offset, RowBytes(pixels));
    }
}

int RenderTransitionStep(const TransitionPixels& pixels, uint32_t effect, int32_t step, bool reverseSweep) {
    if (!HasPixels(pixels)) return 0;
    if (step > LastEffectStep) {
        CopyWholeFrame(pixels);
        return 1;
    }
    switch (effect) {
    case FadeEffect: return FadeStep(pixels, step);
    case ShadeEffect: return ShadeStep(pixels, step, reverseSweep);
    case BlockEffect: return BlockStep(pixels, step);
    default: return 0;
    }
}
