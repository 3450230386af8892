#include "display/invalidation.h"

#include <vector>

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "display/display_state.h"
#include "slideshow/scene.h"

namespace {

// Kept between ticks so that a tick allocates nothing.
std::vector<PixelRect> SceneChanges;
std::vector<RECT> RegionStorage;
// What the tick being repainted invalidated; set only while its paint runs.
HRGN TickRegion = nullptr;

// All rectangles go into one region: each invalidation is a trip to the window system, and
// a Shade or Block step changes dozens of rows and strips.
UniqueRegion RegionOf(const std::vector<PixelRect>& changes) {
    // The header takes the room of whole rectangles, so that the storage stays aligned.
    constexpr size_t headerRects = (sizeof(RGNDATAHEADER) + sizeof(RECT) - 1) / sizeof(RECT);
    RegionStorage.resize(headerRects + changes.size());
    RECT* rects = RegionStorage.data() + headerRects;
    PixelRect bounds;
    for (size_t k = 0; k < changes.size(); ++k) {
        rects[k] = {changes[k].Left, changes[k].Top, changes[k].Right, changes[k].Bottom};
        bounds = UnionOf(bounds, changes[k]);
    }
    auto* data = reinterpret_cast<RGNDATA*>(RegionStorage.data());
    data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(changes.size()), 0,
                 {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom}};
    const DWORD size = static_cast<DWORD>(RegionStorage.size() * sizeof(RECT));
    return UniqueRegion(ExtCreateRegion(nullptr, size, data));
}

}  // namespace

void RepaintSceneChanges(HWND window, bool wholeWindow) {
    SceneChanges.clear();
    DisplayScene->TakeChanges(SceneChanges);
    if (wholeWindow || (PreviewMode && !SceneChanges.empty())) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        return;
    }
    if (SceneChanges.empty()) return;
    UniqueRegion region = RegionOf(SceneChanges);
    // Without a region the window is repainted whole, which shows the same.
    InvalidateRgn(window, region.get(), FALSE);
    TickRegion = region.get();
    UpdateWindow(window);
    TickRegion = nullptr;
}

const std::vector<PixelRect>* TickChangesToPaint(HWND window, HDC paintDc) {
    if (!TickRegion) return nullptr;
    // The paint's system region is what it may draw: the update region within the visible
    // part of the window, in screen coordinates.
    UniqueRegion painted(CreateRectRgn(0, 0, 0, 0));
    if (!painted || GetRandomRgn(paintDc, painted.get(), SYSRGN) != 1) return nullptr;
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRgn(painted.get(), -origin.x, -origin.y);
    return EqualRgn(painted.get(), TickRegion) ? &SceneChanges : nullptr;
}
