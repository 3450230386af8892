#pragma once
// An Image whose pixels come from a JPEG picture among the executable's resources of type
// "JPEG", decoded into a 24-bit bottom-up bitmap section. It never has a mask.
#include <windows.h>

#include "images/image.h"
#include "images/jpeg_decode_job.h"

inline constexpr char JpegResourceType[] = "JPEG";

class JpegImage : public Image, private PixelSink {
public:
    JpegImage() = default;
    ~JpegImage() override = default;

    // 1 when a bitmap is loaded afterwards or there is no source; 0 when the resource is
    // missing or cannot be decoded, with the image left unloaded. Nothing is thrown.
    int Load(LPCSTR source = nullptr) override;
    // Later loads give the picture at its size at dpi (UnscaledDpi: its own size).
    void ScaleTo(int dpi) { dpi_ = dpi; }
    // Later scaled loads give the picture no larger than the box it is shown in within this
    // room (0 x 0: no limit).
    void FitWithin(int roomWidth, int roomHeight) {
        roomWidth_ = roomWidth;
        roomHeight_ = roomHeight;
    }

private:
    uint8_t* AllocatePixels(int width, int height) override;

    int dpi_ = UnscaledDpi;
    int roomWidth_ = 0;
    int roomHeight_ = 0;
};
