#include "host/cursor_movement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

struct MovementCase {
    std::int32_t originX, originY, x, y;
    bool ends;
};

const MovementCase MovementCases[] = {
    {0, 0, 0, 0, false},
    {0, 0, 9, 0, false},
    {0, 0, 5, 4, false},
    {0, 0, 10, 0, true},
    {0, 0, 5, 5, true},
    {0, 0, 0, 10, true},
    {100, 100, 95, 96, false},   // 5 left and 4 up
    {100, 100, 95, 95, true},    // 5 left and 5 up
    {100, 100, 90, 100, true},
    {800, 600, 806, 600, false},  // first of two 6-pixel moves
    {800, 600, 812, 600, true},   // the second one, measured from the same origin
    {-20, -20, -11, -20, false},
    {-20, -20, -30, -20, true},
    // Extreme coordinates wrap like 32-bit registers: the distance between the two
    // ends of the range is one pixel, and a half-range distance reads as negative.
    {Max32, 0, Min32, 0, false},
    {0, 0, Min32, 0, false},
    {Min32, 0, Max32, 0, false},
    {Max32, Max32, Max32 - 10, Max32, true},
};

class MovementTest : public testing::TestWithParam<MovementCase> {};

TEST_P(MovementTest, SumOfAxisDistancesAgainstThreshold) {
    const MovementCase& c = GetParam();
    EXPECT_EQ(MovementEndsSaver(c.originX, c.originY, c.x, c.y), c.ends)
        << "origin (" << c.originX << ", " << c.originY << ") cursor (" << c.x << ", " << c.y << ")";
}

INSTANTIATE_TEST_SUITE_P(Moves, MovementTest, testing::ValuesIn(MovementCases));

}  // namespace
