#include "host/cursor_movement.h"

namespace {

// |to - from| with the wrap-around of 32-bit registers, free of signed overflow.
std::uint32_t WrappedDistance(std::int32_t from, std::int32_t to) {
    const std::uint32_t difference = static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from);
    const bool negative = static_cast<std::int32_t>(difference) < 0;
    return negative ? 0u - difference : difference;
}

}  // namespace

bool MovementEndsSaver(std::int32_t originX, std::int32_t originY, std::int32_t x, std::int32_t y) {
    const std::uint32_t sum = WrappedDistance(originX, x) + WrappedDistance(originY, y);
    return static_cast<std::int32_t>(sum) >= CloseMovementThreshold;
}
