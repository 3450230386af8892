#include "images/shared_memory_dcs.h"

#include "common/unique_handle.h"

HDC PictureDc = nullptr;
HDC TargetDc = nullptr;
uint16_t LiveImageCount = 0;

namespace {

HPALETTE FirstPicturePalette = nullptr;
HPALETTE FirstTargetPalette = nullptr;

struct SharedContext {
    HDC& Dc;
    HPALETTE& FirstPalette;
};

// PictureDc first, then TargetDc: the order of every walk over the two.
SharedContext Contexts[] = {{PictureDc, FirstPicturePalette}, {TargetDc, FirstTargetPalette}};

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
    for (SharedContext& context : Contexts) {
        if (!context.Dc) context.Dc = CreateCompatibleDC(screen.get());
    }
    screen.release();
}

void DestroySharedDcs() {
    for (SharedContext& context : Contexts) {
        if (!context.Dc) continue;
        if (context.FirstPalette) {
            SelectPalette(context.Dc, context.FirstPalette, FALSE);
            context.FirstPalette = nullptr;
        }
        DeleteDC(context.Dc);
        context.Dc = nullptr;
    }
}

void SelectSharedPalette(HPALETTE palette) {
    EnsureSharedDcs();
    for (SharedContext& context : Contexts) {
        if (!context.Dc) continue;
        HPALETTE displaced = SelectPalette(context.Dc, palette, FALSE);
        if (!context.FirstPalette) context.FirstPalette = displaced;
    }
}

void RealizeSharedPalette() {
    for (SharedContext& context : Contexts) {
        if (context.Dc && context.FirstPalette) RealizePalette(context.Dc);
    }
}
