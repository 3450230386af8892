#include "images/shared_memory_dcs.h"

#include <array>

#include "common/unique_handle.h"

HDC PictureDc = nullptr;
HDC TargetDc = nullptr;
uint16_t LiveImageCount = 0;

namespace {

struct SharedContext {
    HDC& Dc;
    // What the first palette selected into the context displaced.
    SelectionGuard FirstPalette;
};

// PictureDc first, then TargetDc: the order of every walk over the two. Made once and never
// destroyed, like the handles, since Images held by globals may reach them as the process ends.
std::array<SharedContext, 2>& Contexts() {
    static auto* const contexts = new std::array<SharedContext, 2>{{{PictureDc, {}}, {TargetDc, {}}}};
    return *contexts;
}

}  // namespace

SharedDcsUse::SharedDcsUse() {
    EnsureSharedDcs();
    ++LiveImageCount;
}

SharedDcsUse::~SharedDcsUse() {
    if (LiveImageCount != 0 && --LiveImageCount == 0) DestroySharedDcs();
}

void EnsureSharedDcs() {
    if (PictureDc && TargetDc) return;
    WindowDc screen(nullptr);
    for (SharedContext& context : Contexts()) {
        if (!context.Dc) context.Dc = CreateCompatibleDC(screen.get());
    }
    screen.release();
}

void DestroySharedDcs() {
    for (SharedContext& context : Contexts()) {
        if (!context.Dc) continue;
        context.FirstPalette.reset();
        DeleteDC(context.Dc);
        context.Dc = nullptr;
    }
}

void SelectSharedPalette(HPALETTE palette) {
    EnsureSharedDcs();
    for (SharedContext& context : Contexts()) {
        if (!context.Dc) continue;
        if (context.FirstPalette) SelectPalette(context.Dc, palette, FALSE);
        else context.FirstPalette.Select(context.Dc, palette);
    }
}

void RealizeSharedPalette() {
    for (SharedContext& context : Contexts()) {
        if (context.Dc && context.FirstPalette) RealizePalette(context.Dc);
    }
}
