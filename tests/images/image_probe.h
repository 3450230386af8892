#pragma once
// What the tests read of a picture beyond what drawing asks of it: its transparency mask
// and colour, and where it loads from.
#include "images/image.h"

class ImageProbe {
public:
    explicit ImageProbe(const Image& image) : image_(image) {}

    HBITMAP MaskBitmap() const { return image_.maskBitmap_.get(); }
    uint8_t TransparentIndex() const { return image_.transparentIndex_; }
    const ImageSourceRecord& ImageSource() const { return image_.imageSource_; }

private:
    const Image& image_;
};
