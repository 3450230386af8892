#include "settings/dialog_picture.h"

#include "common/unique_handle.h"
#include "images/image.h"
#include "images/image_list.h"
#include "images/logical_palette.h"
#include "images/memory_surface.h"
#include "images/picture_scale.h"
#include "images/pixel_section.h"
#include "images/resampled_section.h"
#include "images/screen_dpi.h"
#include "resources/resource_ids.h"
#include "settings/picture_corner.h"

#include <memory>
#include <new>

MemorySurface DialogPictureSurface;

namespace {

// The sample's side at 100 %.
constexpr int SampleSide = 136;
// Brush patterns, dithers included, repeat every 8 pixels both ways.
constexpr LONG BrushPatternSize = 8;

struct DialogPictureState {
    std::unique_ptr<ImageList> PictureList;
    UniquePalette Palette;
    SelectionGuard PaintPaletteSelection;
    SelectionGuard PicturePaletteSelection;
    // At a scale without a painting of its own: the next larger painting over the button
    // face, resampled to the sample's size at that scale.
    UniqueBitmap ResampledSample;
};

DialogPictureState State;

// The sample as painted at each of PaintedDpis.
constexpr int SamplePaintings[PaintingCount] = {IDB_SAMPLE, IDB_SAMPLE_150, IDB_SAMPLE_200};

// The painting drawn over the button face as it shows in the dialog, then resampled.
UniqueBitmap ResampleSample(Image& painting, int side) {
    WindowDc screenDc(nullptr);
    UniqueMemoryDc groundDc(screenDc ? CreateCompatibleDC(screenDc.get()) : nullptr);
    uint8_t* bits = nullptr;
    UniqueBitmap ground = CreatePixelSection(nullptr, painting.Width(), painting.Height(), BitsPerPixel24, &bits);
    if (!groundDc || !ground) return UniqueBitmap();
    {
        SelectionGuard selection(groundDc.get(), ground.get());
        const RECT whole{0, 0, painting.Width(), painting.Height()};
        FillRect(groundDc.get(), &whole, GetSysColorBrush(COLOR_BTNFACE));
        painting.Draw(groundDc.get(), 0, 0);
    }
    return ResampleSection(ground.get(), side, side);
}

RECT PlaceholderClientRect(HWND dialog) {
    RECT area{};
    GetClientRect(GetDlgItem(dialog, IDC_PICTURE), &area);
    return area;
}

// Makes the dialog's palette from the sample's colour table and realizes it both in the
// paint context and in the memory context, remembering what it displaced in each.
void MakeDialogPalette(HDC paintDc) {
    PALETTEENTRY entries[PaletteEntryCount] = {};
    State.PictureList->GetPalette(entries);
    State.Palette = CreateLogicalPalette(entries);
    if (!State.Palette) return;
    RealizePaletteIn(paintDc, State.Palette.get(), State.PaintPaletteSelection);
    RealizePaletteIn(DialogPictureSurface.get(), State.Palette.get(), State.PicturePaletteSelection);
}

// On a palette screen a face colour outside the palette is painted as a dither pattern tied
// to the brush origin. The dialog's own ground starts its pattern at the dialog's corner;
// the memory context's fill must start where that pattern stands at the placeholder, or the
// sample's ground shows a shifted pattern against the face around it.
void AlignBrushWithDialog(const RECT& placed) {
    const auto phase = [](LONG offset) { return (BrushPatternSize - offset % BrushPatternSize) % BrushPatternSize; };
    SetBrushOrgEx(DialogPictureSurface.get(), phase(placed.left), phase(placed.top), nullptr);
}

void ChoosePalette(HDC paintDc) {
    if (State.Palette) {
        RealizePaletteIn(paintDc, State.Palette.get());
    } else if (IsPaletteDisplay(paintDc)) {
        MakeDialogPalette(paintDc);
    }
}

// Selects the displaced palettes back and the static system colours; deleting the palette
// is left to the caller.
void GiveBackDialogPalette(HWND dialog) {
    if (!State.Palette) return;
    UnrealizeObject(State.Palette.get());
    WindowDc dialogDc(dialog);
    State.PaintPaletteSelection.reset(dialogDc.get(), TRUE);
    if (dialogDc) SetSystemPaletteUse(dialogDc.get(), SYSPAL_STATIC);
    // The memory context gives the palette back whether or not the dialog had a context.
    State.PicturePaletteSelection.reset(DialogPictureSurface.get(), TRUE);
    dialogDc.release();
}

}  // namespace

HPALETTE DialogPalette() { return State.Palette.get(); }

int CreateDialogPicture(HWND dialog) {
    ReleaseDialogPicture(dialog);
    WindowDc dialogDc(dialog);
    if (!dialogDc) return 0;
    const RECT area = PlaceholderClientRect(dialog);
    // Without its bitmap the context still counts: the dialog initialises, with nothing to show.
    DialogPictureSurface.Create(dialogDc.get(), area.right, area.bottom);
    const int dpi = WindowDpi(dialog);
    State.PictureList.reset(new (std::nothrow) ImageList());
    if (State.PictureList) {
        State.PictureList->Create(1, nullptr);
        const size_t painting = PaintingFor(dpi);
        State.PictureList->SetImageSource(0, MAKEINTRESOURCEA(SamplePaintings[painting]));
        State.PictureList->LoadAllImages();
        Image* sample = State.PictureList->GetImage(0);
        if (sample && PaintedDpis[painting] != dpi && sample->Bitmap())
            State.ResampledSample = ResampleSample(*sample, ScaledLength(SampleSide, dpi));
    }
    if (!dialogDc.release()) return 0;
    return DialogPictureSurface ? 1 : 0;
}

void PaintDialogPicture(HWND dialog) {
    if (!DialogPictureSurface.HasBitmap() || !State.PictureList) return;
    PAINTSTRUCT paint{};
    HDC paintDc = BeginPaint(dialog, &paint);
    if (!paintDc) return;
    ChoosePalette(paintDc);

    RECT placed{};
    GetWindowRect(GetDlgItem(dialog, IDC_PICTURE), &placed);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&placed), 2);
    const RECT area = PlaceholderClientRect(dialog);
    AlignBrushWithDialog(placed);
    FillRect(DialogPictureSurface.get(), &area, GetSysColorBrush(COLOR_BTNFACE));
    BITMAP resampled{};
    if (State.ResampledSample && GetObjectW(State.ResampledSample.get(), sizeof(resampled), &resampled)) {
        const PictureCorner corner = CentrePicture(area.right, area.bottom, resampled.bmWidth, resampled.bmHeight);
        SelectionGuard selection(PictureDc, State.ResampledSample.get());
        BitBlt(DialogPictureSurface.get(), corner.X, corner.Y, resampled.bmWidth, resampled.bmHeight, PictureDc, 0, 0, SRCCOPY);
    } else {
        const Image* picture = State.PictureList->GetImage(0);
        const PictureCorner corner =
            CentrePicture(area.right, area.bottom, picture ? picture->Width() : 0, picture ? picture->Height() : 0);
        State.PictureList->DrawImageAt(DialogPictureSurface.get(), corner.X, corner.Y, 0);
    }

    BitBlt(paintDc, placed.left, placed.top, area.right, area.bottom, DialogPictureSurface.get(), 0, 0, SRCCOPY);
    EndPaint(dialog, &paint);
}

void RefreshDialogPalette(HWND dialog) {
    if (State.Palette) RefreshPaletteIn(dialog, State.Palette.get());
}

void ReleaseDialogPicture(HWND dialog) {
    State.ResampledSample.reset();
    if (State.PictureList) State.PictureList->Destroy();
    State.PictureList.reset();
    GiveBackDialogPalette(dialog);
    State.Palette.reset();
    DialogPictureSurface.reset();
}
