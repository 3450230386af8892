#pragma once
// What the display animates: it opens a scene for the render area, attaches it to the
// saver window, lets it compose its first frame over the backdrop, advances it by the
// frames that fell due and asks it to paint. The virtual operations keep this order.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "slideshow/step_changes.h"

class Scene {
public:
    Scene();
    virtual ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The base part records the area and raises IsOpen; the preview flag is not kept.
    virtual int Open(const RECT& area, int unusedPreviewFlag);
    // The base part has nothing to record.
    virtual int Attach(HWND unusedWindow, const RECT& unusedOutput);
    // Lowers IsOpen and the entry count, as destruction does.
    virtual void Teardown();
    virtual void Begin();
    virtual void Advance(uint32_t frames) = 0;
    virtual void Idle();
    virtual void Compose(HDC firstDc, HDC scratchDc, HDC backdropDc) = 0;
    virtual void PrePaint(HDC scratchDc, HDC backdropDc);
    virtual void Paint(HWND window, HDC destination, HDC scratchDc, HDC backdropDc) = 0;
    virtual void GetPaletteEntries(PALETTEENTRY* entries) = 0;
    // Adds the rectangles of the render area that the frame Paint copies has changed in
    // since the last call; the display repaints only those. A scene that cannot tell
    // reports the whole area.
    virtual void TakeChanges(std::vector<PixelRect>& changes);
    // How many of the coming frames will change nothing on screen, so that the loop may
    // step them together; a scene that cannot tell says none.
    virtual uint32_t FramesUnchanged() const;

    int IsOpen() const { return isOpen_; }

protected:
    RECT renderArea_;
    int isOpen_ = 0;
    int32_t entryCount_ = 0;
};
