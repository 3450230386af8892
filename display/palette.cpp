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
SelectionGuard WindowPaletteSelection;
SelectionGuard WorkPaletteSelection;
SelectionGuard BackdropPaletteSelection;
SelectionGuard PreviewPaletteSelection;

void SelectIntoSurface(HDC surface, SelectionGuard& selection) {
    if (!surface) return;
    selection.Select(surface, DisplayPalette.get());
    RealizePalette(surface);
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
    WindowPaletteSelection.Select(windowDc, DisplayPalette.get());
    RealizePalette(windowDc);
    SelectSharedPalette(DisplayPalette.get());
    RealizeSharedPalette();
    SelectIntoSurface(WorkDc.get(), WorkPaletteSelection);
    SelectIntoSurface(BackdropDc.get(), BackdropPaletteSelection);
    SelectIntoSurface(PreviewDc.get(), PreviewPaletteSelection);
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
    PreviewPaletteSelection.reset(PreviewDc.get());
    BackdropPaletteSelection.reset(BackdropDc.get());
    WorkPaletteSelection.reset(WorkDc.get());
    DestroySharedDcs();

    WindowDc windowDc(window ? window : GetDesktopWindow());
    WindowPaletteSelection.reset(window ? windowDc.get() : nullptr);
    if (DisplayPaletteRecord) {
        // Restores the static colours whenever a palette was built, also in the modes
        // that never switched them off.
        SetSystemPaletteUse(windowDc.get(), SYSPAL_STATIC);
        DisplayPaletteRecord.reset();
    }
    DisplayPalette.reset();
}
