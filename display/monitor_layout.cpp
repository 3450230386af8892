#include "display/monitor_layout.h"

MonitorLayout LayOutMonitors(const PixelRect* monitors, size_t count, size_t primaryIndex) {
    MonitorLayout layout;
    if (!monitors || primaryIndex >= count) return layout;
    PixelRect bounds = monitors[0];
    for (size_t i = 1; i < count; ++i) bounds = UnionOf(bounds, monitors[i]);
    const PixelRect& primary = monitors[primaryIndex];
    layout.Window = bounds;
    layout.RenderWidth = bounds.Right - bounds.Left;
    layout.RenderHeight = bounds.Bottom - bounds.Top;
    layout.Primary = {primary.Left - bounds.Left, primary.Top - bounds.Top, primary.Right - bounds.Left,
                      primary.Bottom - bounds.Top};
    return layout;
}

bool SpansBeyondPrimary(const MonitorLayout& layout) {
    const PixelRect& primary = layout.Primary;
    return primary.Left != 0 || primary.Top != 0 || primary.Right != layout.RenderWidth ||
           primary.Bottom != layout.RenderHeight;
}
