#include "display/invalidation.h"

#include <span>
#include <vector>

#include "common/process_state.h"
#include "common/unique_handle.h"
#include "display/display_state.h"
#include "slideshow/scene.h"

namespace {

// Kept between ticks so that a tick allocates nothing.
std::vector<PixelRect> SceneChanges;
std::vector<RECT> RegionStorage;

// All rectangles go into one region: each invalidation is a trip to the window system, and
// a Shade or Block step changes dozens of rows and strips.
UniqueRegion RegionOf(std::span<const PixelRect> changes) {
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

// A region stays a few rectangles while each one adds rows apart from the one before
// (Shade's rows, Block's bands) or the same rows again (Block's strips); where strips cross
// bands it becomes a grid of hundreds, which costs more to build and clip to than a second
// paint.
bool KeepsRegionSimple(const PixelRect& previous, const PixelRect& next) {
    const bool apart = next.Top >= previous.Bottom || next.Bottom <= previous.Top;
    return apart || (next.Top == previous.Top && next.Bottom == previous.Bottom);
}

// The paint draws through the update region, and only its rectangles' pixels are copied.
void RepaintGroup(HWND window, std::span<const PixelRect> group) {
    UniqueRegion region = RegionOf(group);
    // Without a region the window is repainted whole, which shows the same.
    InvalidateRgn(window, region.get(), FALSE);
    UpdateWindow(window);
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
    size_t begin = 0;
    while (begin < SceneChanges.size()) {
        size_t end = begin + 1;
        while (end < SceneChanges.size() && KeepsRegionSimple(SceneChanges[end - 1], SceneChanges[end])) ++end;
        RepaintGroup(window, std::span<const PixelRect>(SceneChanges).subspan(begin, end - begin));
        begin = end;
    }
}
