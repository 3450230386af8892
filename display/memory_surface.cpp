#include "display/memory_surface.h"

bool MemorySurface::Create(HDC referenceDc, int width, int height) {
    reset();
    if (!referenceDc) return false;
    UniqueMemoryDc dc(CreateCompatibleDC(referenceDc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(referenceDc, width, height));
    if (!dc || !bitmap) return false;
    HGDIOBJ displaced = SelectObject(dc.get(), bitmap.get());
    if (!displaced || displaced == HGDI_ERROR) return false;
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    displaced_ = displaced;
    return true;
}

void MemorySurface::ReleaseBitmap() {
    if (dc_ && displaced_) SelectObject(dc_.get(), displaced_);
    displaced_ = nullptr;
    bitmap_.reset();
}

void MemorySurface::reset() {
    ReleaseBitmap();
    dc_.reset();
}
