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

// Rectangles that do not overlap.
struct RectPieces {
    PixelRect Pieces[9];
    int Count = 0;

    void Add(const PixelRect& piece) {
        if (!piece.Empty()) Pieces[Count++] = piece;
    }
    // What whole holds outside part, which lies inside it: the bands above and below part,
    // then left and right of it.
    void AddAround(const PixelRect& whole, const PixelRect& part) {
        Add({whole.Left, whole.Top, whole.Right, part.Top});
        Add({whole.Left, part.Bottom, whole.Right, whole.Bottom});
        Add({whole.Left, part.Top, part.Left, part.Bottom});
        Add({part.Right, part.Top, whole.Right, part.Bottom});
    }
};

// The pixels of two rectangles as at most five pieces: the first whole, then what the second
// adds above, below, left and right of it.
inline RectPieces UnionPieces(const PixelRect& first, const PixelRect& second) {
    RectPieces result;
    result.Add(first);
    const PixelRect common = IntersectionOf(first, second);
    if (first.Empty() || common.Empty()) {
        result.Add(second);
    } else {
        result.AddAround(second, common);
    }
    return result;
}

// The pixels of two rectangles as at most nine pieces, each of which lies wholly inside or
// wholly outside either rectangle: what both hold, then the rest of the first and of the
// second.
inline RectPieces SeparatedPieces(const PixelRect& first, const PixelRect& second) {
    RectPieces result;
    const PixelRect common = IntersectionOf(first, second);
    if (common.Empty()) {
        result.Add(first);
        result.Add(second);
        return result;
    }
    result.Add(common);
    result.AddAround(first, common);
    result.AddAround(second, common);
    return result;
}

// The part of rect inside width x height.
inline PixelRect ClipTo(const PixelRect& rect, int32_t width, int32_t height) {
    const PixelRect clipped{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, width),
                            std::min(rect.Bottom, height)};
    return clipped.Empty() ? PixelRect{} : clipped;
}
