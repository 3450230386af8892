#include "slideshow/transition_kernels.h"

#include "slideshow/fade_kernel.h"

#include <algorithm>
#include <cstddef>

namespace {

// Block works on pairs of rows and pairs of columns: the square shrinks by two pixels a step.
constexpr int32_t BlockPairSize = 2;

bool HasPixels(const TransitionPixels& pixels) {
    const int32_t frontRowBytes = BytesPerPixel32 * pixels.Width;
    const int32_t sourceRowBytes = BytesPerPixel24 * pixels.Width;
    return pixels.Front && pixels.From && pixels.Target && pixels.Width > 0 && pixels.Height > 0 &&
           pixels.Stride >= frontRowBytes && pixels.FromStride >= sourceRowBytes &&
           pixels.TargetStride >= sourceRowBytes && pixels.FrameColumn >= 0 && pixels.FrameRow >= 0 &&
           pixels.FrameWidth - pixels.FrameColumn >= pixels.Width;
}

ptrdiff_t RowOffset(int32_t row, int32_t stride) { return static_cast<ptrdiff_t>(row) * stride; }

// Copies the target's pixels of frame columns first to last (exclusive) in one row of the
// part, as far as they lie inside it.
void CopyTargetColumns(const TransitionPixels& pixels, int32_t row, int32_t first, int32_t last) {
    first = std::max(first, pixels.FrameColumn) - pixels.FrameColumn;
    last = std::min(last, pixels.FrameColumn + pixels.Width) - pixels.FrameColumn;
    if (first >= last) return;
    WidenPixels(pixels.Front + RowOffset(row, pixels.Stride) + RowOffset(first, BytesPerPixel32),
                pixels.Target + RowOffset(row, pixels.TargetStride) + RowOffset(first, BytesPerPixel24),
                static_cast<size_t>(last - first));
}

void CopyTargetRow(const TransitionPixels& pixels, int32_t row) {
    CopyTargetColumns(pixels, row, pixels.FrameColumn, pixels.FrameColumn + pixels.Width);
}

}  // namespace

int FadeStep(const TransitionPixels& pixels, int32_t step) {
    if (!HasPixels(pixels)) return 0;
    // Steps outside 0..32 never reach here from the surface; a negative one holds at the
    // start, and FadePixels holds those past 32 at the end.
    const uint32_t fadeStep = step < 0 ? 0 : static_cast<uint32_t>(step);
    for (int32_t row = 0; row < pixels.Height; ++row) {
        FadePixels(pixels.Front + RowOffset(row, pixels.Stride), pixels.From + RowOffset(row, pixels.FromStride),
                   pixels.Target + RowOffset(row, pixels.TargetStride), static_cast<size_t>(pixels.Width), fadeStep);
    }
    return 1;
}

int ShadeStep(const TransitionPixels& pixels, int32_t step, bool reverseSweep) {
    if (!HasPixels(pixels)) return 0;
    const int32_t phase = reverseSweep ? LastEffectStep - step : step;
    if (phase < 0 || phase >= ShadeBandRows) return 1;
    // The part's first row whose frame row lies at the phase of its band.
    const int32_t first = ((phase - pixels.FrameRow) % ShadeBandRows + ShadeBandRows) % ShadeBandRows;
    for (int32_t row = first; row < pixels.Height; row += ShadeBandRows) CopyTargetRow(pixels, row);
    return 1;
}

int BlockStep(const TransitionPixels& pixels, int32_t step) {
    if (!HasPixels(pixels) || step <= 0) return 0;
    // side is the half side of the square that remains after this step, in pixel pairs.
    const int32_t side = LastEffectStep - step;
    if (side < 0) return 1;
    const int32_t tiledWidth = pixels.FrameWidth / BlockTilePixels * BlockTilePixels;
    const int32_t partEnd = std::min(pixels.FrameColumn + pixels.Width, tiledWidth);
    const int32_t firstTile = pixels.FrameColumn / BlockTilePixels * BlockTilePixels;
    const int32_t edgeColumn = BlockPairSize * side;
    for (int32_t row = 0; row < pixels.Height; ++row) {
        const int32_t pair = ((pixels.FrameRow + row) % BlockTilePixels) / BlockPairSize;
        if (pair > side) continue;
        // On the square's edge row the whole edge goes; below it, only the edge column.
        const int32_t spanStart = pair == side ? 0 : edgeColumn;
        for (int32_t tile = firstTile; tile < partEnd; tile += BlockTilePixels)
            CopyTargetColumns(pixels, row, tile + spanStart, tile + edgeColumn + BlockPairSize);
    }
    return 1;
}

void CopyWholeFrame(const TransitionPixels& pixels) {
    if (!HasPixels(pixels)) return;
    for (int32_t row = 0; row < pixels.Height; ++row) CopyTargetRow(pixels, row);
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
