#include "images/memory_surface.h"

bool MemorySurface::Create(HDC referenceDc, int width, int height) {
    reset();
    if (!referenceDc) return false;
    dc_.reset(CreateCompatibleDC(referenceDc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(referenceDc, width, height));
    if (!dc_ || !bitmap) return false;
    selection_.Select(dc_.get(), bitmap.get());
    if (!selection_) return false;
    bitmap_ = std::move(bitmap);
    return true;
}

void MemorySurface::ReleaseBitmap() {
    selection_.reset();
    bitmap_.reset();
}

void MemorySurface::reset() {
    ReleaseBitmap();
    dc_.reset();
}
