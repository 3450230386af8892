#pragma once
// A rectangle of pixels, top-down, right and bottom exclusive: the screen areas that the
// display repaints and the monitors it covers. Platform-free.
#include <algorithm>
#include <cstdint>

struct PixelRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// The smallest rectangle holding both; an empty one adds nothing.
inline PixelRect UnionOf(const PixelRect& first, const PixelRect& second) {
    if (first.Empty()) return second;
    if (second.Empty()) return first;
    return {std::min(first.Left, second.Left), std::min(first.Top, second.Top), std::max(first.Right, second.Right),
            std::max(first.Bottom, second.Bottom)};
}

// The part that both hold; empty when they do not meet.
inline PixelRect IntersectionOf(const PixelRect& first, const PixelRect& second) {
    const PixelRect common{std::max(first.Left, second.Left), std::max(first.Top, second.Top),
                           std::min(first.Right, second.Right), std::min(first.Bottom, second.Bottom)};
    return common.Empty() ? PixelRect{} : common;
}

// The pixels of two rectangles as at most five that do not overlap: the first whole, then
// what the second adds above, below, left and right of it.
struct RectPieces {
    PixelRect Pieces[5];
    int Count = 0;
};

inline RectPieces UnionPieces(const PixelRect& first, const PixelRect& second) {
    RectPieces result;
    const auto add = [&result](const PixelRect& piece) {
        if (!piece.Empty()) result.Pieces[result.Count++] = piece;
    };
    add(first);
    const PixelRect common = IntersectionOf(first, second);
    if (first.Empty() || common.Empty()) {
        add(second);
        return result;
    }
    add({second.Left, second.Top, second.Right, common.Top});
    add({second.Left, common.Bottom, second.Right, second.Bottom});
    add({second.Left, common.Top, common.Left, common.Bottom});
    add({common.Right, common.Top, second.Right, common.Bottom});
    return result;
}

// The part of rect inside width x height.
inline PixelRect ClipTo(const PixelRect& rect, int32_t width, int32_t height) {
    const PixelRect clipped{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, width),
                            std::min(rect.Bottom, height)};
    return clipped.Empty() ? PixelRect{} : clipped;
}
