#include "display/wallpaper_placement.h"

#include <gtest/gtest.h>

#include <iterator>

// Beside PixelRect's own namespace, where the test macros look for them.
static bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

static std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
    return out << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

namespace {

TEST(WallpaperPlacement, StyleComesFromTheTwoDesktopSettings) {
    struct Case {
        const wchar_t* style;
        const wchar_t* tile;
        WallpaperStyle expected;
    };
    const Case cases[] = {
        {L"0", L"0", WallpaperStyle::Center},   {L"0", L"1", WallpaperStyle::Tile},
        {L"2", L"0", WallpaperStyle::Stretch},  {L"2", L"1", WallpaperStyle::Stretch},
        {L"6", L"0", WallpaperStyle::Fit},      {L"10", L"0", WallpaperStyle::Fill},
        {L"22", nullptr, WallpaperStyle::Span}, {nullptr, L"1", WallpaperStyle::Center},
        {L"", L"0", WallpaperStyle::Center},    {L"6x", L"0", WallpaperStyle::Center},
        {L"7", L"0", WallpaperStyle::Center},   {L"99999999999", L"0", WallpaperStyle::Center},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(WallpaperStyleFromSettings(cases[i].style, cases[i].tile), cases[i].expected) << "case " << i;
    }
}

// One table of styles, picture shapes and monitor layouts. Canvases are 1920 x 1080 (one
// monitor) or 3200 x 1080 (a second monitor of 1280 x 1024 beside it, on either side).
TEST(WallpaperPlacement, PlacesThePictureAsTheDesktopDoes) {
    const PixelRect full{0, 0, 1920, 1080};
    struct Case {
        const char* name;
        WallpaperStyle style;
        uint32_t width, height;
        PixelRect area;
        int32_t canvasWidth;
        PixelRect firstCopy;
        PixelRect shown;
    };
    const Case cases[] = {
        {"centre, smaller", WallpaperStyle::Center, 300, 200, full, 1920, {810, 440, 1110, 640}, {0, 0, 300, 200}},
        {"centre, odd margins", WallpaperStyle::Center, 301, 201, full, 1920, {809, 439, 1110, 640}, {0, 0, 301, 201}},
        {"centre, larger: cropped", WallpaperStyle::Center, 2000, 1200, full, 1920, {-40, -60, 1960, 1140},
         {40, 60, 1960, 1140}},
        {"centre, one pixel larger", WallpaperStyle::Center, 1921, 1081, full, 1920, {-1, -1, 1920, 1080},
         {1, 1, 1921, 1081}},
        {"centre on the primary right of a second monitor", WallpaperStyle::Center, 300, 200,
         {1280, 0, 3200, 1080}, 3200, {2090, 440, 2390, 640}, {0, 0, 300, 200}},
        {"tile on the second monitor", WallpaperStyle::Tile, 500, 300, {1920, 0, 3200, 1024}, 3200,
         {1920, 0, 2420, 300}, {0, 0, 500, 300}},
        {"tile larger than the monitor", WallpaperStyle::Tile, 2000, 1200, full, 1920, {0, 0, 2000, 1200},
         {0, 0, 1920, 1080}},
        {"stretch", WallpaperStyle::Stretch, 640, 480, full, 1920, full, full},
        {"fit, 4:3: bands left and right", WallpaperStyle::Fit, 1024, 768, full, 1920, {240, 0, 1680, 1080},
         {0, 0, 1440, 1080}},
        {"fit, wide: bands above and below", WallpaperStyle::Fit, 3840, 1080, full, 1920, {0, 270, 1920, 810},
         {0, 0, 1920, 540}},
        {"fit, rounded to the nearest pixel", WallpaperStyle::Fit, 1000, 999, full, 1920, {419, 0, 1500, 1080},
         {0, 0, 1081, 1080}},
        {"fill, same shape", WallpaperStyle::Fill, 3840, 2160, full, 1920, full, full},
        {"fill, 4:3: cropped above and below", WallpaperStyle::Fill, 1024, 768, full, 1920, {0, -180, 1920, 1260},
         {0, 180, 1920, 1260}},
        {"fill, portrait", WallpaperStyle::Fill, 1080, 1920, full, 1920, {0, -1167, 1920, 2246},
         {0, 1167, 1920, 2247}},
        {"fill, 8K", WallpaperStyle::Fill, 7680, 4320, full, 1920, full, full},
        {"span over both monitors", WallpaperStyle::Span, 1920, 1080, {0, 0, 3200, 1080}, 3200,
         {0, -360, 3200, 1440}, {0, 360, 3200, 1440}},
    };
    for (const Case& c : cases) {
        const WallpaperPlacement p = PlaceWallpaper(c.style, c.width, c.height, c.area, c.canvasWidth, 1080);
        EXPECT_EQ(p.FirstCopy, c.firstCopy) << c.name;
        EXPECT_EQ(p.ScaledWidth, c.firstCopy.Right - c.firstCopy.Left) << c.name;
        EXPECT_EQ(p.ScaledHeight, c.firstCopy.Bottom - c.firstCopy.Top) << c.name;
        EXPECT_EQ(p.Shown, c.shown) << c.name;
        EXPECT_EQ(p.Tiled, c.style == WallpaperStyle::Tile) << c.name;
        EXPECT_EQ(p.Clip, ClipTo(c.area, c.canvasWidth, 1080)) << c.name;
        EXPECT_FALSE(p.Empty()) << c.name;
    }
}

TEST(WallpaperPlacement, NothingIsDrawnWithoutAPictureOrAPlaceForIt) {
    const PixelRect full{0, 0, 1920, 1080};
    EXPECT_TRUE(PlaceWallpaper(WallpaperStyle::Fill, 0, 768, full, 1920, 1080).Empty());
    EXPECT_TRUE(PlaceWallpaper(WallpaperStyle::Fit, 1024, 0, full, 1920, 1080).Empty());
    EXPECT_TRUE(PlaceWallpaper(WallpaperStyle::Center, 20000, 20000, full, 1920, 1080).Empty());
    EXPECT_TRUE(PlaceWallpaper(WallpaperStyle::Fill, 1024, 768, {0, 0, 0, 1080}, 1920, 1080).Empty());
    // A monitor beside the primary when the canvas covers the primary alone.
    EXPECT_TRUE(PlaceWallpaper(WallpaperStyle::Center, 300, 200, {-1280, 0, 0, 1024}, 1920, 1080).Empty());
    EXPECT_FALSE(PlaceWallpaper(WallpaperStyle::Center, 8192, 8192, full, 1920, 1080).Empty());
}

}  // namespace
