#include "images/image.h"

#include <memory>
#include <new>

#include "common/process_state.h"
#include "images/four_three_box.h"
#include "images/shared_memory_dcs.h"
#include "images/transparency_mask.h"

namespace {

constexpr WORD IndexedBitCount = 8;
constexpr UINT MaskPlanes = 1;
constexpr UINT MaskBitCount = 1;

// A bitmap selected for the moment its colour table is read or written: into PictureDc
// when it exists, else into a private memory context, so a picture loaded after the
// display teardown still gets its colours right.
class ColourTableContext {
public:
    explicit ColourTableContext(HBITMAP bitmap)
        : owned_(PictureDc ? nullptr : CreateCompatibleDC(nullptr)),
          dc_(PictureDc ? PictureDc : owned_.get()),
          selection_(dc_, bitmap) {}
    HDC get() const { return dc_; }

private:
    UniqueMemoryDc owned_;
    HDC dc_;
    SelectionGuard selection_;
};

// Draws through PictureDc: with a mask, the mask with AND and then the picture with OR,
// so the destination stays where the mask bit is 1; without one, a plain copy. The
// destination's default colours (text black, background white) expand the mask bits.
template <typename Transfer>
void TransferThroughMask(HBITMAP bitmap, HBITMAP mask, Transfer transfer) {
    SelectionGuard selection(PictureDc, mask ? mask : bitmap);
    if (mask) {
        transfer(SRCAND);
        SelectObject(PictureDc, bitmap);
        transfer(SRCPAINT);
    } else {
        transfer(SRCCOPY);
    }
}

}  // namespace

Image::Image() = default;

// The share of the shared contexts goes after the bitmaps are released.
Image::~Image() { Release(); }

void Image::SetSource(LPCSTR source) { imageSource_.Set(source); }

LPCSTR Image::RememberedSource() const {
    return imageSource_.HasSource() ? imageSource_.AsResourceName() : nullptr;
}

int Image::Load(LPCSTR source) {
    if (bitmap_) return 1;
    if (maskBitmap_) Release();
    if (!source) source = RememberedSource();
    if (!source) return 1;
    if (LoadIndexedBitmap(source)) return 1;
    Release();
    return 0;
}

int Image::LoadIndexedBitmap(LPCSTR source) {
    bitmap_.reset(static_cast<HBITMAP>(LoadImageA(ModuleInstance, source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap_) return 0;
    DIBSECTION section{};
    if (GetObjectA(bitmap_.get(), sizeof section, &section) == 0) return 0;
    width_ = section.dsBm.bmWidth;
    height_ = section.dsBm.bmHeight;
    if (section.dsBmih.biBitCount != IndexedBitCount || !section.dsBm.bmBits) return 0;

    std::unique_ptr<uint8_t[]> maskBytes(new (std::nothrow) uint8_t[MaskSize(width_, height_)]);
    if (!maskBytes) return 0;
    transparentIndex_ =
        BuildTransparencyMask(static_cast<const uint8_t*>(section.dsBm.bmBits), width_, height_, maskBytes.get());
    // A refused mask only means the picture is drawn opaque.
    maskBitmap_.reset(CreateBitmap(width_, height_, MaskPlanes, MaskBitCount, maskBytes.get()));
    maskBytes.reset();
    BlackenTransparentColour();
    return 1;
}

// Black in the picture where the mask is transparent, so drawing the mask with AND and
// then the picture with OR leaves the destination showing there.
void Image::BlackenTransparentColour() {
    ColourTableContext context(bitmap_.get());
    RGBQUAD table[PaletteEntryCount] = {};
    const UINT count = GetDIBColorTable(context.get(), 0, PaletteEntryCount, table);
    if (transparentIndex_ >= count) return;
    table[transparentIndex_].rgbBlue = 0;
    table[transparentIndex_].rgbGreen = 0;
    table[transparentIndex_].rgbRed = 0;
    SetDIBColorTable(context.get(), 0, count, table);
}

int Image::Draw(HDC dc, int x, int y) {
    if (!bitmap_) Load(nullptr);
    if (!bitmap_ || !PictureDc) return 0;
    TransferThroughMask(bitmap_.get(), maskBitmap_.get(), [&](DWORD operation) {
        BitBlt(dc, x, y, width_, height_, PictureDc, 0, 0, operation);
    });
    return 1;
}

int Image::DrawStretched(HDC dc, int x, int y, int w, int h) {
    if (!bitmap_) Load(nullptr);
    if (!bitmap_ || !PictureDc) return 0;
    const FourThreeBox box = FitFourThreeBox(x, y, w, h);
    SetStretchBltMode(dc, HALFTONE);
    TransferThroughMask(bitmap_.get(), maskBitmap_.get(), [&](DWORD operation) {
        StretchBlt(dc, box.X, box.Y, box.Width, box.Height, PictureDc, 0, 0, width_, height_, operation);
    });
    return 1;
}

void Image::GetPaletteEntries(PALETTEENTRY* entries) {
    if (!bitmap_) Load(nullptr);
    if (!bitmap_) return;
    RGBQUAD table[PaletteEntryCount] = {};
    {
        ColourTableContext context(bitmap_.get());
        GetDIBColorTable(context.get(), 0, PaletteEntryCount, table);
    }
    for (int i = 0; i < PaletteEntryCount; ++i) {
        entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, PC_NOCOLLAPSE};
    }
    entries[transparentIndex_] = {0, 0, 0, 0};
}

void Image::Release() {
    bitmap_.reset();
    maskBitmap_.reset();
    width_ = 0;
    height_ = 0;
}
