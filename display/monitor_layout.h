#pragma once
// Where the full-screen saver goes when the desktop spans several monitors: one window over
// the bounding rectangle of them all (the virtual screen), rendered at that size, with the
// pictures kept inside the primary monitor.
#include <cstddef>
#include <cstdint>

// Edges in screen coordinates; the primary monitor's top-left is (0, 0), so monitors left
// of or above it have negative edges.
struct MonitorRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

struct MonitorLayout {
    MonitorRect Window;             // the saver window, in screen coordinates
    int32_t RenderWidth = 0;        // the size of every off-screen surface
    int32_t RenderHeight = 0;
    MonitorRect Primary;            // the primary monitor inside the render area
};

// monitors holds count rectangles, the primary at primaryIndex. Without monitors, or with
// a primary index outside them, the layout is empty (all zero).
MonitorLayout LayOutMonitors(const MonitorRect* monitors, size_t count, size_t primaryIndex);

// True when the layout covers more than its primary monitor.
bool SpansBeyondPrimary(const MonitorLayout& layout);
