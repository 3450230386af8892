#include "pixel_font.h"

#include <cmath>

#include "pixel_font_glyphs.h"

const unsigned char* GlyphRowsOf(char c) {
    for (int i = 0; i < GlyphCount; ++i) {
        if (Glyphs[i].character == c) return Glyphs[i].rows;
    }
    static constexpr unsigned char Blank[GlyphRows] = {};
    return Blank;
}

int TextCells(std::string_view text) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * GlyphAdvance - (GlyphAdvance - GlyphColumns);
}

bool TextCovers(std::string_view text, float x, float y) {
    if (x < 0 || y < 0 || y >= GlyphRows) return false;
    const auto cellX = static_cast<int>(std::floor(x));
    const auto index = static_cast<size_t>(cellX / GlyphAdvance);
    const int column = cellX % GlyphAdvance;
    if (index >= text.size() || column >= GlyphColumns) return false;
    const unsigned char row = GlyphRowsOf(text[index])[static_cast<int>(y)];
    return (row >> (GlyphColumns - 1 - column)) & 1u;
}
