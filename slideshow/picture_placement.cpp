#include "slideshow/picture_placement.h"

#include <algorithm>

PicturePlacement PlacePicture(int32_t areaWidth, int32_t areaHeight, int32_t pictureWidth, int32_t pictureHeight) {
    PicturePlacement placement;
    placement.BoxWidth = std::min(areaWidth, pictureWidth);
    placement.BoxHeight = std::min(areaHeight, pictureHeight);
    placement.SpareWidth = static_cast<uint32_t>(areaWidth - placement.BoxWidth);
    placement.SpareHeight = static_cast<uint32_t>(areaHeight - placement.BoxHeight);
    placement.Stretched = placement.BoxWidth < pictureWidth || placement.BoxHeight < pictureHeight;
    return placement;
}
