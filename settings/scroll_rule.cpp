#include "settings/scroll_rule.h"

#include <algorithm>

int TopScrollPosition(const ScrollBarState& bar) {
    // A page of 0 behaves as a page of 1: the thumb can still reach the maximum.
    const int page = static_cast<int>(std::max<uint32_t>(bar.Page, 1));
    return bar.Maximum - page + 1;
}

namespace {

int RequestedPosition(const ScrollBarState& bar, uint32_t code, uint16_t thumbPosition, int top) {
    const int position = bar.Position;
    const int page = static_cast<int>(bar.Page);
    switch (static_cast<ScrollRequest>(code)) {
    case ScrollRequest::LineLeft:
        return position > bar.Minimum ? position - 1 : position;
    case ScrollRequest::LineRight:
        return position < top ? position + 1 : position;
    case ScrollRequest::PageLeft:
        return std::max(position - page, bar.Minimum);
    case ScrollRequest::PageRight:
        return position < top ? position + page : position;
    case ScrollRequest::ThumbPosition:
        return static_cast<int16_t>(thumbPosition);
    case ScrollRequest::Left:
        return bar.Minimum;
    case ScrollRequest::Right:
        return bar.Maximum;
    case ScrollRequest::ThumbTrack:
    case ScrollRequest::EndScroll:
        break;
    }
    return position;
}

}  // namespace

int NextScrollPosition(const ScrollBarState& bar, uint32_t code, uint16_t thumbPosition) {
    const int top = TopScrollPosition(bar);
    const int requested = RequestedPosition(bar, code, thumbPosition, top);
    // A forged thumb value below the range must not turn into a negative setting.
    return std::clamp(requested, std::min(bar.Minimum, top), top);
}

int16_t ScrolledValue(const ScrollBarState& bar, uint32_t code, int newPosition) {
    const int value = code == static_cast<uint32_t>(ScrollRequest::ThumbTrack) ? bar.TrackPosition : newPosition;
    return static_cast<int16_t>(value);
}
