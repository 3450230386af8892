#pragma once
// What the user's desktop is made of, as its settings say: the background colour, the
// wallpaper of each monitor and how it is placed. It can be read where the desktop itself
// cannot be seen.
#include <windows.h>

#include <string>
#include <vector>

#include "common/pixel_rect.h"
#include "display/wallpaper_placement.h"

struct MonitorWallpaper {
    PixelRect Monitor;   // in screen coordinates
    std::wstring Path;   // empty when the monitor has no wallpaper
};

struct DesktopLook {
    COLORREF Background = 0;
    WallpaperStyle Style = WallpaperStyle::Center;
    // One entry per monitor; for Span, one entry over the bounding rectangle of them all.
    std::vector<MonitorWallpaper> Monitors;
};

// comUsable: COM is started on this thread, so the wallpaper of each monitor can be asked for
// where Windows keeps one per monitor (Windows 8 and later). Otherwise, and where that cannot
// be had, every monitor shows the one wallpaper of the system parameters.
DesktopLook ReadDesktopLook(bool comUsable);
