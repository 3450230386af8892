#pragma once
// A fixed number of bitmap Images addressed by index, each guarded by a bounds check, so
// the caller can load, draw or take a palette without checking indexes or load results.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "images/image.h"

class ImageList {
public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    virtual ~ImageList();

    // count Images with the given sources (null: none yet). Always 1; a failed
    // allocation leaves the list empty.
    int Create(int count, const LPCSTR* sources);
    void Destroy();

    // Null for an invalid index; otherwise the Image, loaded on demand if it can be.
    Image* GetImage(int index);
    // The palette of the first Image; entries untouched for an empty list.
    void GetPalette(PALETTEENTRY* entries);
    void SetImageSource(int index, LPCSTR source);
    // sources holds Count() values; null sets none.
    void SetImageSources(const LPCSTR* sources);
    // 0 only when a valid entry fails to load.
    int LoadImageAt(int index);
    // Every entry is tried; 0 when any failed.
    int LoadAllImages();
    // Loads and draws the entry; 0 only when its Draw fails, 1 when it cannot be loaded.
    int DrawImageAt(HDC dc, int x, int y, int index);

    int Count() const { return count_; }

private:
    bool IsValid(int index) const { return images_ && index >= 0 && index < count_; }

    std::unique_ptr<std::unique_ptr<Image>[]> images_;
    std::unique_ptr<int32_t[]> readyFlags_;
    int count_ = 0;
};
