#pragma once
// The monitors the platform reports, laid out for the full-screen saver.
#include "display/monitor_layout.h"

// Empty (all zero) when the platform lists no monitors or marks none as primary.
MonitorLayout ReadMonitorLayout();
