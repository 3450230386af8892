#pragma once
// The monitors the platform reports, laid out for the full-screen saver.
#include <vector>

#include "display/monitor_layout.h"

// Empty (all zero) when the platform lists no monitors or marks none as primary.
MonitorLayout ReadMonitorLayout();

// The rectangle of every monitor, in screen coordinates.
std::vector<PixelRect> ReadMonitorRects();
