#pragma once
// Shared pieces of the slideshow's tests under Wine: a solid backdrop in its own memory
// context, reading a section's bytes, and a scene opened over such a backdrop.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "common/unique_handle.h"
#include "slideshow/slideshow_scene.h"
#include "slideshow/transition_surface.h"
#include "tests/slideshow/transition_surface_probe.h"

class Image;

// A bottom-up section in the transition buffers' 32-bit layout, selected into its own memory
// context.
class SolidSection {
public:
    SolidSection(int32_t width, int32_t height, COLORREF colour);
    ~SolidSection();
    SolidSection(const SolidSection&) = delete;
    SolidSection& operator=(const SolidSection&) = delete;

    void Fill(COLORREF colour);
    HDC Dc() const { return dc_.get(); }
    uint8_t* Bits() const { return bits_; }
    int32_t Stride() const { return stride_; }
    std::vector<uint8_t> Bytes() const;

private:
    int32_t width_, height_, stride_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    uint8_t* bits_ = nullptr;
};

// The stride x height bytes of the surface's front, after pending drawing.
std::vector<uint8_t> FrontBytes(const TransitionSurface& surface);
// The surface's 24-bit backdrop in the front's 32-bit layout, fourth bytes 0; empty without one.
std::vector<uint8_t> BackdropBytes(const TransitionSurface& surface);
// The whole frame that the transition under way goes to, in the front's layout: the backdrop,
// with the target's box over it.
std::vector<uint8_t> ComposedTarget(const TransitionSurface& surface);
// A 32-bit frame without gaps between rows, as 24-bit pixels: what the effects read.
std::vector<uint8_t> Narrowed(const std::vector<uint8_t>& frame);

// A loaded picture's own 24-bit rows, bottom-up; empty when it does not load.
struct PicturePixels {
    int32_t width = 0, height = 0, stride = 0;
    std::vector<uint8_t> bytes;
};
PicturePixels ReadPicture(Image& picture);

// The section's bytes with the picture's pixels placed unscaled with its top-left at (x, y)
// from the top of the section.
std::vector<uint8_t> WithPictureAt(const SolidSection& section, int32_t height, const PicturePixels& picture,
                                   int32_t x, int32_t y);

// What the surface should hold: the backdrop with the picture stretched by the platform's
// averaging transfer into the rectangle (x, y, w, h), from the top of the screen.
std::vector<uint8_t> BackdropWithStretchedPicture(int32_t width, int32_t height, COLORREF backdrop, Image& picture,
                                                  int x, int y, int w, int h);

constexpr COLORREF RigBackdrop = RGB(30, 60, 90);

// A slideshow scene opened on a width x height area over a solid backdrop, attached, and
// (unless told otherwise) composed, with the generator reset first.
struct SceneRig {
    SceneRig(int32_t width, int32_t height, uint32_t fadeType, uint32_t wait, bool compose = true);
    void Compose() { scene->Compose(nullptr, scratch.get(), backdrop.Dc()); }
    // Advances one frame at a time until the scene has chosen its next picture.
    void RunToNextChoice();

    SolidSection backdrop;
    UniqueMemoryDc scratch;
    std::unique_ptr<SlideshowScene> scene;
};
