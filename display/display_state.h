#pragma once
// The process-wide state of the display: the scene, the render and output areas, the memory
// surfaces and the capture sections. The display's lifecycle (display_surfaces) creates and
// releases it; the frame clock, painting, invalidation and the palette only read and use it.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "common/unique_handle.h"
#include "images/memory_surface.h"

class Scene;

extern std::unique_ptr<Scene> DisplayScene;
extern RECT RenderRect;
extern RECT OutputRect;
// Where the render area lies on the screen when the full-screen saver spans several
// monitors; empty when it covers one monitor (or the preview host) as the host gives it.
extern RECT SpannedScreen;
extern int32_t RenderWidth;
extern int32_t RenderHeight;
// A context of the screen's kind without a picture of its own: it only borrows the
// bitmaps that are drawn from or into (the dimmed capture, a slideshow section).
extern UniqueMemoryDc WorkDc;
extern MemorySurface BackdropDc;
extern MemorySurface PreviewDc;
extern UniqueBitmap CaptureBitmap;
extern uint8_t* CaptureBits;
extern UniqueBitmap DimmedBitmap;
extern uint8_t* DimmedBits;
extern int CapturePending;

// Stretches a render-sized picture (the preview surface) onto target's output area.
void StretchRenderToOutput(HDC target, HDC source);
// Deletes both capture sections, which ends the dim-in picture for painting.
void ReleaseCaptureSections();
