#include "display/display_state.h"

#include "slideshow/scene.h"

std::unique_ptr<Scene> DisplayScene;
RECT RenderRect = {};
RECT OutputRect = {};
RECT SpannedScreen = {};
int32_t RenderWidth = 0;
int32_t RenderHeight = 0;
UniqueMemoryDc WorkDc;
MemorySurface BackdropDc;
MemorySurface PreviewDc;
UniqueBitmap CaptureBitmap;
uint8_t* CaptureBits = nullptr;
UniqueBitmap DimmedBitmap;
uint8_t* DimmedBits = nullptr;
int CapturePending = 1;

void StretchRenderToOutput(HDC target, HDC source) {
    StretchBlt(target, 0, 0, OutputRect.right, OutputRect.bottom, source, 0, 0, RenderWidth, RenderHeight, SRCCOPY);
}

void ReleaseCaptureSections() {
    CaptureBitmap.reset();
    CaptureBits = nullptr;
    DimmedBitmap.reset();
    DimmedBits = nullptr;
}
