#pragma once
// One picture held as a platform bitmap, loaded lazily from a resource of the executable
// and given back by Release while its source is kept. The base class loads 8-bit bitmaps
// with a colour table and draws the colour of their top-left pixel as transparent.
#include <windows.h>

#include <cstdint>

#include "common/unique_handle.h"
#include "images/image_source.h"
#include "images/logical_palette.h"
#include "images/shared_memory_dcs.h"

class Image {
public:
    Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    // MAKEINTRESOURCEA(number) or a name; null changes nothing. A loaded picture stays
    // as it is until it is released and loaded again.
    virtual void SetSource(LPCSTR source);
    // The picture at its own size with its top-left corner at (x, y); 0 when there is
    // nothing to draw or no shared context to draw from.
    virtual int Draw(HDC dc, int x, int y);
    // The whole picture stretched into the largest 4:3 box that fits the rectangle.
    virtual int DrawStretched(HDC dc, int x, int y, int w, int h);
    // 1 when a bitmap is loaded afterwards or there is no source; source null means the
    // remembered one.
    virtual int Load(LPCSTR source = nullptr);
    virtual void Release();
    // PaletteEntryCount entries from the colour table; left untouched when unloadable.
    virtual void GetPaletteEntries(PALETTEENTRY* entries);

    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Bitmap() const { return bitmap_.get(); }

private:
    // The tests read the mask, the transparent colour and the source through it.
    friend class ImageProbe;

    // Declared first, so the shared contexts outlive every bitmap of this Image.
    SharedDcsUse sharedDcs_;

protected:
    // Where Load(null) reads from: null when the image has no source.
    LPCSTR RememberedSource() const;

    ImageSourceRecord imageSource_;
    uint8_t transparentIndex_ = 0;
    UniqueBitmap bitmap_;
    UniqueBitmap maskBitmap_;
    int width_ = 0;
    int height_ = 0;

private:
    int LoadIndexedBitmap(LPCSTR source);
    void BlackenTransparentColour();
};
