#pragma once
// A memory drawing context with its own compatible bitmap selected into it. The object the
// bitmap displaced is kept so that the bitmap can be taken out again before it is deleted.
#include <windows.h>

#include "common/unique_handle.h"

class MemorySurface {
public:
    MemorySurface() = default;
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;
    ~MemorySurface() { reset(); }

    // Releases what the surface held, then builds a context and a width x height bitmap
    // compatible with referenceDc. False unless both were made; a context made without its
    // bitmap is kept.
    bool Create(HDC referenceDc, int width, int height);

    HDC get() const { return dc_.get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }
    bool HasBitmap() const { return static_cast<bool>(bitmap_); }

    // Takes the bitmap out and deletes it once its picture has been copied elsewhere; the
    // context stays, with whatever else is selected into it.
    void ReleaseBitmap();
    // Selects the displaced object back, deletes the bitmap, then the context. Safe to
    // call any number of times.
    void reset();

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    SelectionGuard selection_;
};
