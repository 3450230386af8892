#pragma once
// Where the desktop's wallpaper lies on a monitor, as the desktop itself places it: the style
// chosen in the desktop settings, the picture's size and the monitor's rectangle give the size
// the picture is scaled to, where its first copy lies and the part of it that shows.
// Platform-free.
#include <cstdint>

#include "common/pixel_rect.h"

enum class WallpaperStyle { Center, Tile, Stretch, Fit, Fill, Span };

// The style from the desktop settings' WallpaperStyle and TileWallpaper values, given as the
// text they are stored as. Tiling counts only beside style 0, as on the desktop; a style that
// is missing, not a number or unknown centres the picture at its own size.
WallpaperStyle WallpaperStyleFromSettings(const wchar_t* wallpaperStyle, const wchar_t* tileWallpaper);

// Pictures with more pixels than this are not decoded: an 8K photograph has 33 million, and
// the decoder may hold the whole picture before it scales it.
constexpr uint64_t MaxWallpaperPixels = uint64_t{1} << 26;

struct WallpaperPlacement {
    int32_t ScaledWidth = 0;   // the picture's size once scaled; 0 when nothing is drawn
    int32_t ScaledHeight = 0;
    PixelRect FirstCopy;       // where the scaled picture lies; a tiled one repeats right and down
    bool Tiled = false;
    PixelRect Clip;            // the part of the canvas the picture may cover
    PixelRect Shown;           // the part of the scaled picture that shows, in its own pixels

    bool Empty() const { return Clip.Empty() || Shown.Empty(); }
};

// The wallpaper of pictureWidth x pictureHeight on area (a monitor, or for Span the bounding
// rectangle of every monitor), drawn into a canvas of canvasWidth x canvasHeight; area is given
// in the canvas's pixels and may lie partly outside it. Empty when there is nothing to draw:
// no picture, one larger than MaxWallpaperPixels, or an area off the canvas.
WallpaperPlacement PlaceWallpaper(WallpaperStyle style, uint32_t pictureWidth, uint32_t pictureHeight,
                                  const PixelRect& area, int32_t canvasWidth, int32_t canvasHeight);
