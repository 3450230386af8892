#include "slideshow/step_changes.h"

#include <algorithm>

#include "slideshow/transition_kernels.h"

namespace {

// The first full copy after the effect; it brings in the columns Block never touches.
constexpr int32_t FirstFullCopyStep = LastEffectStep + 1;
// Block moves its bands two pixels per step.
constexpr int32_t BlockBandPixels = 2;

void AppendClipped(const PixelRect& rect, const PixelRect& area, std::vector<PixelRect>& changes) {
    const PixelRect clipped{std::max(rect.Left, area.Left), std::max(rect.Top, area.Top),
                            std::min(rect.Right, area.Right), std::min(rect.Bottom, area.Bottom)};
    if (!clipped.Empty()) changes.push_back(clipped);
}

// Rows r of the buffer count from the bottom; the screen counts from the top.
int32_t ScreenRow(int32_t bufferRow, int32_t height) { return height - 1 - bufferRow; }

void AppendShadeRows(int32_t step, bool reverseSweep, int32_t height, const PixelRect& area,
                     std::vector<PixelRect>& changes) {
    const int32_t phase = reverseSweep ? LastEffectStep - step : step;
    if (phase < 0 || phase >= ShadeBandRows) return;
    for (int32_t row = phase; row < height; row += ShadeBandRows) {
        const int32_t y = ScreenRow(row, height);
        AppendClipped({area.Left, y, area.Right, y + 1}, area, changes);
    }
}

// Step s moves the edge of every tile's shrinking square to b = 32 - s pixel pairs: two
// rows across each row of tiles and two columns up each column of tiles.
void AppendBlockBands(int32_t step, int32_t width, int32_t height, const PixelRect& area,
                      std::vector<PixelRect>& changes) {
    if (step < 1 || step > LastEffectStep) return;
    const int32_t edge = BlockBandPixels * (LastEffectStep - step);
    const int32_t tiledWidth = (width / BlockTilePixels) * BlockTilePixels;
    for (int32_t tileRow = 0; tileRow < height; tileRow += BlockTilePixels) {
        const int32_t bottomRow = tileRow + edge;
        if (bottomRow >= height) continue;
        const int32_t top = ScreenRow(std::min(bottomRow + BlockBandPixels, height) - 1, height);
        AppendClipped({0, top, tiledWidth, ScreenRow(bottomRow, height) + 1}, area, changes);
    }
    for (int32_t tileColumn = 0; tileColumn < tiledWidth; tileColumn += BlockTilePixels) {
        const int32_t left = tileColumn + edge;
        AppendClipped({left, 0, left + BlockBandPixels, height}, area, changes);
    }
}

}  // namespace

void AppendStepChanges(uint32_t effect, int32_t step, bool reverseSweep, int32_t width, int32_t height,
                       const PixelRect& fromBox, const PixelRect& targetBox, std::vector<PixelRect>& changes) {
    const PixelRect inside = ClipTo(UnionOf(fromBox, targetBox), width, height);
    if (inside.Empty() || step < 0 || step > FirstFullCopyStep) return;
    if (effect == FadeEffect) {
        // Step 0 shows the from-picture as it stands and step 32 the target exactly.
        if (step < 1 || step > LastEffectStep) return;
        const RectPieces pieces = UnionPieces(ClipTo(fromBox, width, height), ClipTo(targetBox, width, height));
        changes.insert(changes.end(), pieces.Pieces, pieces.Pieces + pieces.Count);
    } else if (effect == ShadeEffect) {
        // The full copy brings in only the filler bytes, which are not shown.
        AppendShadeRows(step, reverseSweep, height, inside, changes);
    } else if (effect == BlockEffect && step == FirstFullCopyStep) {
        const int32_t tiledWidth = (width / BlockTilePixels) * BlockTilePixels;
        AppendClipped({tiledWidth, 0, width, height}, inside, changes);
    } else if (effect == BlockEffect) {
        AppendBlockBands(step, width, height, inside, changes);
    }
}
