#pragma once
// How a scroll request moves one of the dialog's scroll bars, and which value the
// setting behind the bar takes from it. Platform-free; the request codes are the
// platform's scroll-bar notification codes.
#include <cstdint>

enum class ScrollRequest : uint32_t {
    LineLeft = 0,
    LineRight = 1,
    PageLeft = 2,
    PageRight = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Left = 6,
    Right = 7,
    EndScroll = 8,
};

// What the platform reports about a scroll bar before the request is applied.
struct ScrollBarState {
    int Minimum = 0;
    int Maximum = 0;
    uint32_t Page = 0;
    int Position = 0;
    int TrackPosition = 0;
};

// The highest position the thumb can take: the last page starts there.
int TopScrollPosition(const ScrollBarState& bar);

// The position the bar is given for request `code`; `thumbPosition` is the 16-bit
// value the request carries. The result always lies between the minimum and the top.
int NextScrollPosition(const ScrollBarState& bar, uint32_t code, uint16_t thumbPosition);

// The value the setting takes: the track position while the thumb is dragged, the new
// position otherwise, read as a signed 16-bit number.
int16_t ScrolledValue(const ScrollBarState& bar, uint32_t code, int newPosition);
