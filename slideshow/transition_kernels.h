#pragma once
// The three transition effects and the final full copy, over the raw memory of bottom-up
// pixel buffers, for any rectangular part of a frame. The front is 32-bit; the from-picture
// and the target, which it shows in turn, are 24-bit, and may be buffers of just one
// picture's box. Row r is the r-th row in memory (from the bottom of the part); its pixels
// fill 4 * Width bytes in the front, 3 * Width in the others. Rows lie Stride bytes apart in
// the front, and FromStride and TargetStride apart in the from-picture and the target.
#include <cstdint>

#include "common/pixel_layout.h"
#include "slideshow/fade_kernel.h"

struct TransitionPixels {
    uint8_t* Front = nullptr;
    const uint8_t* From = nullptr;
    const uint8_t* Target = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;
    int32_t FromStride = 0;
    int32_t TargetStride = 0;
    // Where the part lies in its frame: the column of its left pixel and the memory row of its
    // first row. Shade's bands and Block's tiles are laid out over the whole frame, and Block
    // works only within the whole tiles across FrameWidth.
    int32_t FrameColumn = 0;
    int32_t FrameRow = 0;
    int32_t FrameWidth = 0;
};

enum TransitionEffect : uint32_t {
    FadeEffect = 0,
    ShadeEffect = 1,
    BlockEffect = 2,
};

constexpr int32_t ShadeBandRows = 32;
constexpr int32_t BlockTilePixels = 64;

// Absolute cross-fade: step s shows s/32 of the target in each colour byte.
int FadeStep(const TransitionPixels& pixels, int32_t step);
// Reveals one row in every band of 32; cumulative.
int ShadeStep(const TransitionPixels& pixels, int32_t step, bool reverseSweep);
// Shrinks the from-picture to a square at the bottom-left of every whole 64x64 tile;
// cumulative. Returns 0 for step 0 and earlier, which copy nothing.
int BlockStep(const TransitionPixels& pixels, int32_t step);
// Copies every row of the target into the front.
void CopyWholeFrame(const TransitionPixels& pixels);

// Renders one step of the given effect: the effect up to step 32, the full copy after it.
// Returns 0 when nothing could be rendered, else the effect's result.
int RenderTransitionStep(const TransitionPixels& pixels, uint32_t effect, int32_t step, bool reverseSweep);
