#include "display/desktop_look.h"

#include <objbase.h>

#include <iterator>

#include "common/unique_com.h"
#include "common/unique_handle.h"
#include "display/monitor_list.h"

namespace {

// The desktop wallpaper object of Windows 8 and later, which Windows 7's headers leave out:
// its class and the start of its interface, up to the calls used here.
const CLSID DesktopWallpaperClass = {0xc2cf3110, 0x460e, 0x4fc1, {0xb9, 0xd0, 0x8a, 0x1c, 0x0c, 0x9c, 0xc4, 0xbd}};
const IID DesktopWallpaperInterfaceId = {0xb92b56a9, 0x8b55, 0x4e14, {0x9a, 0x89, 0x01, 0x99, 0xbb, 0xb6, 0xf9, 0x3b}};

struct DesktopWallpaperInterface : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR monitorId, LPCWSTR wallpaper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR monitorId, LPWSTR* wallpaper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT index, LPWSTR* monitorId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR monitorId, RECT* displayRect) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBackgroundColor(COLORREF color) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBackgroundColor(COLORREF* color) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPosition(int position) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPosition(int* position) = 0;
};

// The wallpaper object's positions, in their order.
constexpr WallpaperStyle PositionStyles[] = {WallpaperStyle::Center, WallpaperStyle::Tile, WallpaperStyle::Stretch,
                                             WallpaperStyle::Fit,    WallpaperStyle::Fill, WallpaperStyle::Span};

// A string the COM task allocator handed out, freed once.
class TaskString {
public:
    TaskString() = default;
    TaskString(const TaskString&) = delete;
    TaskString& operator=(const TaskString&) = delete;
    ~TaskString() { CoTaskMemFree(text_); }
    LPWSTR* Out() { return &text_; }
    const wchar_t* get() const { return text_ ? text_ : L""; }

private:
    LPWSTR text_ = nullptr;
};

std::wstring ReadDesktopSetting(HKEY key, const wchar_t* name) {
    wchar_t text[16] = {};
    DWORD type = 0, size = sizeof text - sizeof text[0];
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return text;
}

WallpaperStyle ReadStyleSettings() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return WallpaperStyle::Center;
    }
    UniqueRegistryKey key(opened);
    const std::wstring style = ReadDesktopSetting(key.get(), L"WallpaperStyle");
    const std::wstring tile = ReadDesktopSetting(key.get(), L"TileWallpaper");
    return WallpaperStyleFromSettings(style.c_str(), tile.c_str());
}

std::wstring SystemWallpaperPath() {
    wchar_t path[MAX_PATH + 1] = {};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return {};
    return path;
}

// Span lays one picture over every monitor at once.
void JoinMonitorsForSpan(DesktopLook& look) {
    if (look.Style != WallpaperStyle::Span || look.Monitors.empty()) return;
    MonitorWallpaper spanned = look.Monitors.front();
    for (const MonitorWallpaper& monitor : look.Monitors) spanned.Monitor = UnionOf(spanned.Monitor, monitor.Monitor);
    look.Monitors.assign(1, spanned);
}

// Windows 8 and later keep a wallpaper and a rectangle per monitor; false where that object
// cannot be had.
bool ReadPerMonitorWallpapers(DesktopLook& look) {
    UniqueCom<DesktopWallpaperInterface> wallpaper;
    UINT count = 0;
    int position = 0;
    if (FAILED(CoCreateInstance(DesktopWallpaperClass, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                DesktopWallpaperInterfaceId, wallpaper.PutUntyped())) ||
        !wallpaper || FAILED(wallpaper->GetMonitorDevicePathCount(&count)) ||
        FAILED(wallpaper->GetPosition(&position))) {
        return false;
    }
    if (position >= 0 && position < static_cast<int>(std::size(PositionStyles))) look.Style = PositionStyles[position];
    for (UINT i = 0; i < count; ++i) {
        TaskString monitorId, path;
        RECT r = {};
        if (FAILED(wallpaper->GetMonitorDevicePathAt(i, monitorId.Out())) ||
            FAILED(wallpaper->GetMonitorRECT(monitorId.get(), &r))) {
            continue;
        }
        const bool hasPath = SUCCEEDED(wallpaper->GetWallpaper(monitorId.get(), path.Out()));
        look.Monitors.push_back({{r.left, r.top, r.right, r.bottom}, hasPath ? path.get() : L""});
    }
    return !look.Monitors.empty();
}

}  // namespace

DesktopLook ReadDesktopLook(bool comUsable) {
    DesktopLook look;
    look.Background = GetSysColor(COLOR_DESKTOP);
    look.Style = ReadStyleSettings();
    if (!comUsable || !ReadPerMonitorWallpapers(look)) {
        look.Monitors.clear();
        const std::wstring path = SystemWallpaperPath();
        for (const PixelRect& monitor : ReadMonitorRects()) look.Monitors.push_back({monitor, path});
    }
    JoinMonitorsForSpan(look);
    return look;
}
