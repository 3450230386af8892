#include "display/palette.h"

#include <memory>

#include "common/process_state.h"
#include "display/display_state.h"
#include "images/shared_memory_dcs.h"
#include "slideshow/scene.h"

UniquePalette DisplayPalette;

namespace {

constexpr WORD LogicalPaletteVersion = 0x300;
constexpr WORD DisplayPaletteSize = 256;
constexpr int PaletteDisplayDepth = 8;

// The platform's logical-palette header followed by all 256 entries.
struct PaletteRecord {
    WORD Version = LogicalPaletteVersion;
    WORD EntryCount = DisplayPaletteSize;
    PALETTEENTRY Entries[DisplayPaletteSize] = {};
};

std::unique_ptr<PaletteRecord> DisplayPaletteRecord;

// The palette that DisplayPalette displaced in each context, to be selected back.
HPALETTE DisplacedWindowPalette = nullptr;
HPALETTE DisplacedWorkPalette = nullptr;
HPALETTE DisplacedBackdropPalette = nullptr;
HPALETTE DisplacedPreviewPalette = nullptr;

void SelectIntoSurface(HDC surface, HPALETTE& displaced) {
    if (!surface) return;
    displaced = SelectPalette(surface, DisplayPalette.get(), FALSE);
    RealizePalette(surface);
}

void RestoreSurface(HDC surface, HPALETTE& displaced) {
    if (surface && displaced) SelectPalette(surface, displaced, FALSE);
    displaced = nullptr;
}

void BuildPalette(HDC windowDc) {
    DisplayPaletteRecord = std::make_unique<PaletteRecord>();
    if (DisplayScene) DisplayScene->GetPaletteEntries(DisplayPaletteRecord->Entries);
    DisplayPalette.reset(CreatePalette(reinterpret_cast<const LOGPALETTE*>(DisplayPaletteRecord.get())));
    if (!DisplayPalette) {
        // Nothing was switched or selected yet: run on without a palette.
        DisplayPaletteRecord.reset();
        return;
    }
    if (!PreviewMode && !WindowedMode) SetSystemPaletteUse(windowDc, SYSPAL_NOSTATIC);
    DisplacedWindowPalette = SelectPalette(windowDc, DisplayPalette.get(), FALSE);
    RealizePalette(windowDc);
    SelectSharedPalette(DisplayPalette.get());
    RealizeSharedPalette();
    SelectIntoSurface(WorkDc.get(), DisplacedWorkPalette);
    SelectIntoSurface(BackdropDc.get(), DisplacedBackdropPalette);
    SelectIntoSurface(PreviewDc.get(), DisplacedPreviewPalette);
}

}  // namespace

void SetUpPalette(HWND window) {
    WindowDc windowDc(window);
    if (!windowDc) return;
    if (DisplayPaletteRecord) {
        SelectPalette(windowDc.get(), DisplayPalette.get(), FALSE);
        RealizePalette(windowDc.get());
        return;
    }
    if (GetDeviceCaps(windowDc.get(), BITSPIXEL) == PaletteDisplayDepth) BuildPalette(windowDc.get());
}

void RefreshPalette(HWND window) {
    if (!DisplayPalette) return;
    {
        WindowDc windowDc(window);
        UnrealizeObject(DisplayPalette.get());
        SelectPalette(windowDc.get(), DisplayPalette.get(), FALSE);
        RealizePalette(windowDc.get());
    }
    InvalidateRect(window, nullptr, TRUE);
}

void ReleasePalette(HWND window) {
    RestoreSurface(PreviewDc.get(), DisplacedPreviewPalette);
    RestoreSurface(BackdropDc.get(), DisplacedBackdropPalette);
    RestoreSurface(WorkDc.get(), DisplacedWorkPalette);
    DestroySharedDcs();

    WindowDc windowDc(window ? window : GetDesktopWindow());
    if (DisplacedWindowPalette && window) SelectPalette(windowDc.get(), DisplacedWindowPalette, FALSE);
    DisplacedWindowPalette = nullptr;
    if (DisplayPaletteRecord) {
        // Restores the static colours whenever a palette was built, also in the modes
        // that never switched them off.
        SetSystemPaletteUse(windowDc.get(), SYSPAL_STATIC);
        DisplayPaletteRecord.reset();
    }
    DisplayPalette.reset();
}
