#pragma once
// The palette picture: 16 x 16 pixels whose colour table is the 256 colours that best
// represent the slideshow pictures, for displays that show only 256 colours at once.
#include <vector>

#include "image_types.h"

constexpr int PalettePictureSide = 16;

// Entry 0 is black and the darkest; the rest follow by rising brightness. Pixel i (in rows,
// from the top-left corner) has index i.
IndexedImage MakePalettePicture(const std::vector<const RgbImage*>& pictures);
