#include "display/monitor_layout.h"

#include <algorithm>

MonitorLayout LayOutMonitors(const MonitorRect* monitors, size_t count, size_t primaryIndex) {
    MonitorLayout layout;
    if (!monitors || primaryIndex >= count) return layout;
    MonitorRect bounds = monitors[0];
    for (size_t i = 1; i < count; ++i) {
        bounds.Left = std::min(bounds.Left, monitors[i].Left);
        bounds.Top = std::min(bounds.Top, monitors[i].Top);
        bounds.Right = std::max(bounds.Right, monitors[i].Right);
        bounds.Bottom = std::max(bounds.Bottom, monitors[i].Bottom);
    }
    const MonitorRect& primary = monitors[primaryIndex];
    layout.Window = bounds;
    layout.RenderWidth = bounds.Right - bounds.Left;
    layout.RenderHeight = bounds.Bottom - bounds.Top;
    layout.Primary = {primary.Left - bounds.Left, primary.Top - bounds.Top, primary.Right - bounds.Left,
                      primary.Bottom - bounds.Top};
    return layout;
}

bool SpansBeyondPrimary(const MonitorLayout& layout) {
    const MonitorRect& primary = layout.Primary;
    return primary.Left != 0 || primary.Top != 0 || primary.Right != layout.RenderWidth ||
           primary.Bottom != layout.RenderHeight;
}
