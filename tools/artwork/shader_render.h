#pragma once
// Turns a per-point colour function into a picture: every pixel is the average of a grid
// of samples inside it (anti-aliasing), stored with a faint ordered dither so that slow
// gradients show no bands.
#include <functional>

#include "colour.h"
#include "image_types.h"

// Called with continuous picture coordinates: x in 0..width, y in 0..height, top-down.
using Shader = std::function<Colour(float x, float y)>;

// `samplesPerAxis` squared samples per pixel. Rows are shared between two threads; the
// result does not depend on how they are shared.
RgbImage RenderShader(int width, int height, int samplesPerAxis, const Shader& shader);

// A colour with its coverage (0 transparent .. 1 opaque), for artwork with a cut-out shape.
struct CoveredColour {
    Colour colour;
    float alpha = 0;
};
using CoverageShader = std::function<CoveredColour(float x, float y)>;

// Like RenderShader, single-threaded (it serves small pictures); colours are averaged by
// coverage so that edges do not darken.
RgbaImage RenderCoverage(int width, int height, int samplesPerAxis, const CoverageShader& shader);

// Stores one colour with the dither value of pixel (x, y).
Rgb8 DitheredPixel(Colour c, int x, int y);
