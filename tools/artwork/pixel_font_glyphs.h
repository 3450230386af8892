#pragma once
// The glyph table of the pixel font, drawn by hand cell by cell.
#include "pixel_font.h"

struct Glyph {
    char character;
    unsigned char rows[GlyphRows];
};

extern const Glyph Glyphs[];
extern const int GlyphCount;
