#include "display/drawn_desktop.h"

#include "common/unique_com.h"
#include "common/unique_handle.h"
#include "display/wallpaper_placement.h"
#include "images/picture_file_decoder.h"

namespace {

// value moved into 0 .. period - 1.
int Wrap(int value, int period) { return ((value % period) + period) % period; }

// The decoded part of the picture, as a pattern: a tiled picture repeats from its first copy
// across its area, any other fills the part of the area it covers once.
void DrawWallpaper(HDC canvas, const WallpaperPlacement& placement, const PackedPicture& picture) {
    UniqueBrush pattern(CreateDIBPatternBrushPt(picture.Bytes.get(), DIB_RGB_COLORS));
    if (!pattern) return;
    const PixelRect covered = placement.Tiled ? placement.Clip : IntersectionOf(placement.FirstCopy, placement.Clip);
    const PixelRect& start = placement.Tiled ? placement.FirstCopy : covered;
    const int patternWidth = placement.Shown.Right - placement.Shown.Left;
    const int patternHeight = placement.Shown.Bottom - placement.Shown.Top;
    POINT previousOrigin = {};
    SetBrushOrgEx(canvas, Wrap(start.Left, patternWidth), Wrap(start.Top, patternHeight), &previousOrigin);
    const RECT area = {covered.Left, covered.Top, covered.Right, covered.Bottom};
    FillRect(canvas, &area, pattern.get());
    SetBrushOrgEx(canvas, previousOrigin.x, previousOrigin.y, nullptr);
}

}  // namespace

void DrawDesktopLook(HDC canvas, int32_t width, int32_t height, POINT origin, const DesktopLook& look) {
    UniqueBrush background(CreateSolidBrush(look.Background));
    const RECT everything = {0, 0, width, height};
    if (background) FillRect(canvas, &everything, background.get());

    ComApartment com;
    PictureFileDecoder decoder(com.Usable());
    for (const MonitorWallpaper& monitor : look.Monitors) {
        uint32_t pictureWidth = 0, pictureHeight = 0;
        if (monitor.Path.empty() || !decoder.Open(monitor.Path.c_str(), &pictureWidth, &pictureHeight)) continue;
        const PixelRect area = {monitor.Monitor.Left - origin.x, monitor.Monitor.Top - origin.y,
                                monitor.Monitor.Right - origin.x, monitor.Monitor.Bottom - origin.y};
        const WallpaperPlacement placement =
            PlaceWallpaper(look.Style, pictureWidth, pictureHeight, area, width, height);
        if (placement.Empty()) continue;
        const PackedPicture picture = decoder.Decode(placement.ScaledWidth, placement.ScaledHeight, placement.Shown);
        if (picture) DrawWallpaper(canvas, placement, picture);
    }
    GdiFlush();  // the pixels are read straight from the canvas's section next
}

void DrawDesktop(HDC canvas, int32_t width, int32_t height, POINT origin) {
    ComApartment com;
    DrawDesktopLook(canvas, width, height, origin, ReadDesktopLook(com.Usable()));
}
