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

// The part of rect inside width x height.
inline PixelRect ClipTo(const PixelRect& rect, int32_t width, int32_t height) {
    const PixelRect clipped{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, width),
                            std::min(rect.Bottom, height)};
    return clipped.Empty() ? PixelRect{} : clipped;
}
