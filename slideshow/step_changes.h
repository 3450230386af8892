#pragma once
// Which parts of the screen a transition step can change, so that the display repaints
// only those. Rectangles are in screen pixels, top-down, right and bottom exclusive.
#include <cstdint>
#include <vector>

#include "common/pixel_rect.h"

// Appends to changes the screen rectangles that step s of effect may change on a
// width x height surface, within the boxes of the picture a transition starts from and the
// one it goes to: the only parts where the two differ (elsewhere both hold the backdrop).
// Shade reveals single rows and Block thin bands, so they add rows and strips across both
// boxes together; Fade adds the pixels of the two boxes, as pieces that do not overlap. The
// full copies after step 32 change only the columns right of Block's last whole tile.
void AppendStepChanges(uint32_t effect, int32_t step, bool reverseSweep, int32_t width, int32_t height,
                       const PixelRect& fromBox, const PixelRect& targetBox, std::vector<PixelRect>& changes);
