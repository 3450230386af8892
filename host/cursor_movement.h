#pragma once
// The distance rule that decides whether the mouse has moved far enough to end the saver.
#include <cstdint>

// Total movement, in pixels along x plus along y, from where the cursor stood when the
// saver appeared, at which the saver ends.
inline constexpr std::int32_t CloseMovementThreshold = 10;

// True when |x - originX| + |y - originY| reaches the threshold. The sum is taken in
// 32-bit two's-complement arithmetic, wrapping instead of overflowing.
bool MovementEndsSaver(std::int32_t originX, std::int32_t originY, std::int32_t x, std::int32_t y);
