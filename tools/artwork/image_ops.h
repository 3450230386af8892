#pragma once
// Resampling of finished pictures, for the thumbnails that the small artwork shows.
#include "colour.h"
#include "image_types.h"

// Area-averaged reduction (or plain box enlargement) to the given size.
RgbImage Resize(const RgbImage& image, int width, int height);

// The colour at a continuous position (pixel centres at half-integers), interpolated
// between the four nearest pixels and clamped at the edges.
Colour SampleBilinear(const RgbImage& image, float x, float y);

Colour ToColour(Rgb8 c);
