#include "display/wallpaper_placement.h"

#include <algorithm>

namespace {

// The desktop settings' own numbers for the styles.
constexpr long CenterOrTileStyle = 0;
constexpr long StretchStyle = 2;
constexpr long FitStyle = 6;
constexpr long FillStyle = 10;
constexpr long SpanStyle = 22;
constexpr long NotANumber = -1;

long ParseSettingNumber(const wchar_t* text) {
    if (!text || !*text) return NotANumber;
    long value = 0;
    for (; *text; ++text) {
        if (*text < L'0' || *text > L'9' || value > 1000000) return NotANumber;
        value = value * 10 + (*text - L'0');
    }
    return value;
}

// Half of a difference, rounded down, so that a picture larger than its area is centred the
// same way as a smaller one.
int32_t HalfDown(int64_t difference) {
    return static_cast<int32_t>(difference >= 0 ? difference / 2 : -((-difference + 1) / 2));
}

// length x numerator / denominator, rounded to the nearest pixel and at least one.
int32_t ScaleLength(uint32_t length, int64_t numerator, int64_t denominator) {
    const int64_t scaled = (int64_t{length} * numerator * 2 + denominator) / (denominator * 2);
    return static_cast<int32_t>(std::max<int64_t>(scaled, 1));
}

}  // namespace

WallpaperStyle WallpaperStyleFromSettings(const wchar_t* wallpaperStyle, const wchar_t* tileWallpaper) {
    switch (ParseSettingNumber(wallpaperStyle)) {
        case StretchStyle: return WallpaperStyle::Stretch;
        case FitStyle: return WallpaperStyle::Fit;
        case FillStyle: return WallpaperStyle::Fill;
        case SpanStyle: return WallpaperStyle::Span;
        case CenterOrTileStyle: return ParseSettingNumber(tileWallpaper) == 1 ? WallpaperStyle::Tile : WallpaperStyle::Center;
        default: return WallpaperStyle::Center;
    }
}

WallpaperPlacement PlaceWallpaper(WallpaperStyle style, uint32_t pictureWidth, uint32_t pictureHeight,
                                  const PixelRect& area, int32_t canvasWidth, int32_t canvasHeight) {
    WallpaperPlacement placement;
    if (pictureWidth == 0 || pictureHeight == 0 || area.Empty()) return placement;
    if (uint64_t{pictureWidth} * pictureHeight > MaxWallpaperPixels) return placement;
    const int64_t areaWidth = int64_t{area.Right} - area.Left;
    const int64_t areaHeight = int64_t{area.Bottom} - area.Top;

    int32_t width = static_cast<int32_t>(pictureWidth);
    int32_t height = static_cast<int32_t>(pictureHeight);
    // Fit keeps the whole picture inside the area; Fill (and Span, over every monitor at once)
    // covers the area and crops what sticks out. The picture's sides are compared as the
    // cross products of both shapes.
    const bool widerThanArea = int64_t{pictureWidth} * areaHeight > int64_t{pictureHeight} * areaWidth;
    const bool fitsByWidth = style == WallpaperStyle::Fit ? widerThanArea : !widerThanArea;
    switch (style) {
        case WallpaperStyle::Stretch:
            width = static_cast<int32_t>(areaWidth);
            height = static_cast<int32_t>(areaHeight);
            break;
        case WallpaperStyle::Fit:
        case WallpaperStyle::Fill:
        case WallpaperStyle::Span:
            if (fitsByWidth) {
                width = static_cast<int32_t>(areaWidth);
                height = ScaleLength(pictureHeight, areaWidth, pictureWidth);
            } else {
                height = static_cast<int32_t>(areaHeight);
                width = ScaleLength(pictureWidth, areaHeight, pictureHeight);
            }
            break;
        case WallpaperStyle::Center:
        case WallpaperStyle::Tile:
            break;
    }

    placement.Tiled = style == WallpaperStyle::Tile;
    const int32_t left = placement.Tiled ? area.Left : area.Left + HalfDown(areaWidth - width);
    const int32_t top = placement.Tiled ? area.Top : area.Top + HalfDown(areaHeight - height);
    placement.ScaledWidth = width;
    placement.ScaledHeight = height;
    placement.FirstCopy = {left, top, left + width, top + height};
    placement.Clip = ClipTo(area, canvasWidth, canvasHeight);
    if (placement.Tiled) {
        // Every tile shows the same part: all of the picture, or as much of it as the area holds.
        placement.Shown = {0, 0, static_cast<int32_t>(std::min<int64_t>(width, areaWidth)),
                           static_cast<int32_t>(std::min<int64_t>(height, areaHeight))};
    } else {
        const PixelRect visible = IntersectionOf(placement.FirstCopy, placement.Clip);
        placement.Shown = visible.Empty() ? PixelRect{}
                                          : PixelRect{visible.Left - left, visible.Top - top, visible.Right - left,
                                                      visible.Bottom - top};
    }
    return placement;
}
