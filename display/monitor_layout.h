#pragma once
// Where the full-screen saver goes when the desktop spans several monitors: one window over
// the bounding rectangle of them all (the virtual screen), rendered at that size, with the
// pictures kept inside the primary monitor.
#include <cstddef>
#include <cstdint>

#include "common/pixel_rect.h"

struct MonitorLayout {
    PixelRect Window;               // the saver window, in screen coordinates
    int32_t RenderWidth = 0;        // the size of every off-screen surface
    int32_t RenderHeight = 0;
    PixelRect Primary;              // the primary monitor inside the render area
};

// monitors holds count rectangles in screen coordinates, the primary at primaryIndex. The
// primary's top-left is (0, 0), so monitors left of or above it have negative edges. Without
// monitors, or with a primary index outside them, the layout is empty (all zero).
MonitorLayout LayOutMonitors(const PixelRect* monitors, size_t count, size_t primaryIndex);

// True when the layout covers more than its primary monitor.
bool SpansBeyondPrimary(const MonitorLayout& layout);
