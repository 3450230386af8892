#pragma once
// A small hand-drawn font: every glyph is 5 x 7 cells on a 6-cell advance. Text is drawn
// as coverage, so it can be scaled by any factor and anti-aliased by the caller's sampling.
#include <string_view>

constexpr int GlyphColumns = 5;
constexpr int GlyphRows = 7;
constexpr int GlyphAdvance = 6;

// The rows of a glyph, top first; in each row bit 4 is the leftmost cell. Characters the
// font lacks come out blank.
const unsigned char* GlyphRowsOf(char c);

// Width in cells of a line of text (no trailing gap).
int TextCells(std::string_view text);

// Whether the point (x, y), in cells from the text's top-left corner, is inked.
bool TextCovers(std::string_view text, float x, float y);
