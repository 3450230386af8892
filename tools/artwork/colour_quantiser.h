#pragma once
// Chooses a small set of colours for many pixels (boxes of colours cut at their mean, then
// a few rounds of nearest-colour refinement) and maps pixels onto such a set.
#include <vector>

#include "image_types.h"

// Weighted squared distance; green counts most, as the eye is most sensitive to it.
int ColourDistance(Rgb8 a, Rgb8 b);

// Exactly `count` colours (count >= 1). When the samples hold fewer distinct colours than
// that, every one of them is among the result and the rest repeat the last colour.
std::vector<Rgb8> ChoosePalette(const std::vector<Rgb8>& samples, int count);

// The index in first..end-1 of the entry nearest to `c`; the lowest index wins a tie.
int NearestIndex(const Palette& palette, int first, int end, Rgb8 c);
