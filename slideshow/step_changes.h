#pragma once
// Which parts of the screen a transition step can change, so that the display repaints
// only those. Rectangles are in screen pixels, top-down, right and bottom exclusive.
#include <cstdint>
#include <vector>

#include "common/pixel_rect.h"

// Appends to changes the screen rectangles that step s of effect may change on a
// width x height surface, within area: the only part where the picture a transition starts
// from and the one it goes to differ (elsewhere both hold the backdrop). Shade reveals
// single rows and Block thin bands, so they add rows and strips; Fade adds area whole.
// The full copies after step 32 change only the columns right of Block's last whole tile.
void AppendStepChanges(uint32_t effect, int32_t step, bool reverseSweep, int32_t width, int32_t height,
                       const PixelRect& area, std::vector<PixelRect>& changes);
