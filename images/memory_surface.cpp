#include "images/memory_surface.h"

bool MemorySurface::Create(HDC referenceDc, int width, int height) {
    reset();
    if (!referenceDc) return false;
    UniqueMemoryDc dc(CreateCompatibleDC(referenceDc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(referenceDc, width, height));
    if (!dc || !bitmap) return false;
    selection_.Select(dc.get(), bitmap.get());
    if (!selection_) return false;
    dc_ = std::move(dc);
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
