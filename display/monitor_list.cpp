#include "display/monitor_list.h"

#include <windows.h>

namespace {

struct MonitorListing {
    std::vector<PixelRect> monitors;
    size_t primary = SIZE_MAX;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& listing = *reinterpret_cast<MonitorListing*>(data);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    if (info.dwFlags & MONITORINFOF_PRIMARY) listing.primary = listing.monitors.size();
    const RECT& r = info.rcMonitor;
    listing.monitors.push_back({r.left, r.top, r.right, r.bottom});
    return TRUE;
}

}  // namespace

MonitorLayout ReadMonitorLayout() {
    MonitorListing listing;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&listing));
    return LayOutMonitors(listing.monitors.data(), listing.monitors.size(), listing.primary);
}

std::vector<PixelRect> ReadMonitorRects() {
    MonitorListing listing;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&listing));
    return listing.monitors;
}
