#include "images/screen_dpi.h"

#include "common/dpi_declarations.h"
#include "common/unique_handle.h"
#include "images/picture_scale.h"

namespace {

// The window's context, or the screen's for no window.
int ContextDpi(HWND window) {
    WindowDc dc(window);
    if (!dc) return UnscaledDpi;
    const int dpi = GetDeviceCaps(dc.get(), LOGPIXELSX);
    return PictureDpi(dpi);
}

}  // namespace

int PrimaryMonitorDpi() {
    // Loaded from the system folder alone; absent before Windows 8.1.
    UniqueModule shcore(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (shcore) {
        const auto getDpiForMonitor =
            reinterpret_cast<GetDpiForMonitorCall>(reinterpret_cast<void*>(GetProcAddress(shcore.get(), "GetDpiForMonitor")));
        HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        UINT dpiX = 0, dpiY = 0;
        if (getDpiForMonitor && primary && SUCCEEDED(getDpiForMonitor(primary, EffectiveDpiType, &dpiX, &dpiY)))
            return PictureDpi(static_cast<int>(dpiX));
    }
    return ContextDpi(nullptr);
}

int WindowDpi(HWND window) {
    const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindowCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return PictureDpi(static_cast<int>(dpi));
    }
    return ContextDpi(window);
}
