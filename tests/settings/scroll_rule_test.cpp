#include "settings/scroll_rule.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr uint32_t LineLeft = 0, LineRight = 1, PageLeft = 2, PageRight = 3, ThumbPosition = 4, ThumbTrack = 5,
                   Left = 6, Right = 7, EndScroll = 8;

// The dialog's two bars: brightness 0..8 and hold time 0..9000 seconds, both page 1.
ScrollBarState Brightness(int position, int track = 0) { return {0, 8, 1, position, track}; }
ScrollBarState HoldTime(int position, int track = 0) { return {0, 9000, 1, position, track}; }

TEST(ScrollRuleTest, TopIsTheStartOfTheLastPage) {
    EXPECT_EQ(TopScrollPosition(Brightness(0)), 8);
    EXPECT_EQ(TopScrollPosition(HoldTime(0)), 9000);
    EXPECT_EQ(TopScrollPosition({0, 100, 10, 0, 0}), 91);
    EXPECT_EQ(TopScrollPosition({0, 100, 0, 0, 0}), 100);
}

struct MoveCase {
    const char* name;
    ScrollBarState bar;
    uint32_t code;
    uint16_t thumb;
    int position;
};

TEST(ScrollRuleTest, EveryRequestCodeMovesTheBarAsExpected) {
    const MoveCase cases[] = {
        {"line left", Brightness(4), LineLeft, 0, 3},
        {"line left at 0 stays", Brightness(0), LineLeft, 0, 0},
        {"line right", Brightness(4), LineRight, 0, 5},
        {"line right at top stays", Brightness(8), LineRight, 0, 8},
        {"line right past top comes back", {0, 8, 1, 12, 0}, LineRight, 0, 8},
        {"page left", {0, 100, 10, 50, 0}, PageLeft, 0, 40},
        {"page left stops at 0", {0, 100, 10, 4, 0}, PageLeft, 0, 0},
        {"page left at 0 stays", HoldTime(0), PageLeft, 0, 0},
        {"page right", {0, 100, 10, 50, 0}, PageRight, 0, 60},
        {"page right is cut at the top", {0, 100, 10, 85, 0}, PageRight, 0, 91},
        {"page right at top stays", HoldTime(9000), PageRight, 0, 9000},
        {"thumb position", HoldTime(10), ThumbPosition, 15, 15},
        {"thumb position at top", HoldTime(10), ThumbPosition, 9000, 9000},
        {"thumb position beyond top is cut", Brightness(2), ThumbPosition, 200, 8},
        {"thumb position negative stays in range", Brightness(2), ThumbPosition, 0xFFFB, 0},
        {"thumb position 0x8000 is negative", HoldTime(7), ThumbPosition, 0x8000, 0},
        {"thumb track keeps the position", HoldTime(10, 15), ThumbTrack, 15, 10},
        {"left", Brightness(5), Left, 0, 0},
        {"right", Brightness(5), Right, 0, 8},
        {"right with a page is cut to the top", {0, 100, 10, 5, 0}, Right, 0, 91},
        {"end scroll", Brightness(5), EndScroll, 3, 5},
        {"unknown code", Brightness(5), 9, 3, 5},
        {"huge code", Brightness(5), 0xFFFF, 3, 5},
    };
    for (const MoveCase& c : cases) {
        EXPECT_EQ(NextScrollPosition(c.bar, c.code, c.thumb), c.position) << c.name;
    }
}

TEST(ScrollRuleTest, DraggingTakesTheTrackPositionAndAllElseTheNewPosition) {
    EXPECT_EQ(ScrolledValue(HoldTime(10, 15), ThumbTrack, 10), 15);
    EXPECT_EQ(ScrolledValue(HoldTime(10, 15), ThumbPosition, 12), 12);
    EXPECT_EQ(ScrolledValue(HoldTime(10, 15), EndScroll, 10), 10);
    EXPECT_EQ(ScrolledValue(Brightness(3, 6), LineRight, 4), 4);
    // The value is a signed 16-bit number.
    EXPECT_EQ(ScrolledValue(HoldTime(0, 0x18000), ThumbTrack, 0), -0x8000);
    EXPECT_EQ(ScrolledValue(HoldTime(0), LineLeft, 9000), 9000);
}

}  // namespace
