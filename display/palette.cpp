#include "display/palette.h"

#include "common/process_state.h"
#include "display/display_state.h"
#include "images/logical_palette.h"
#include "images/shared_memory_dcs.h"
#include "slideshow/scene.h"

UniquePalette DisplayPalette;

namespace {

// The palette that DisplayPalette displaced in each context, to be selected back.
SelectionGuard WindowPaletteSelection;
SelectionGuard WorkPaletteSelection;
SelectionGuard BackdropPaletteSelection;
SelectionGuard PreviewPaletteSelection;

void SelectIntoSurface(HDC surface, SelectionGuard& selection) {
    if (surface) RealizePaletteIn(surface, DisplayPalette.get(), selection);
}

void BuildPalette(HDC windowDc) {
    PALETTEENTRY entries[PaletteEntryCount] = {};
    if (DisplayScene) DisplayScene->GetPaletteEntries(entries);
    DisplayPalette = CreateLogicalPalette(entries);
    // Without a palette nothing was switched or selected yet: the display runs on without.
    if (!DisplayPalette) return;
    if (!PreviewMode && !WindowedMode) SetSystemPaletteUse(windowDc, SYSPAL_NOSTATIC);
    RealizePaletteIn(windowDc, DisplayPalette.get(), WindowPaletteSelection);
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
    if (DisplayPalette) {
        RealizePaletteIn(windowDc.get(), DisplayPalette.get());
        return;
    }
    if (IsPaletteDisplay(windowDc.get())) BuildPalette(windowDc.get());
}

void RefreshPalette(HWND window) {
    if (!DisplayPalette) return;
    RefreshPaletteIn(window, DisplayPalette.get());
    InvalidateRect(window, nullptr, TRUE);
}

void ReleasePalette(HWND window) {
    PreviewPaletteSelection.reset(PreviewDc.get());
    BackdropPaletteSelection.reset(BackdropDc.get());
    WorkPaletteSelection.reset(WorkDc.get());
    DestroySharedDcs();

    WindowDc windowDc(window ? window : GetDesktopWindow());
    WindowPaletteSelection.reset(window ? windowDc.get() : nullptr);
    if (DisplayPalette) {
        // Restores the static colours whenever a palette was built, also in the modes
        // that never switched them off.
        SetSystemPaletteUse(windowDc.get(), SYSPAL_STATIC);
        DisplayPalette.reset();
    }
}
