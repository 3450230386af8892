#include "images/picture_scale.h"

#include <algorithm>
#include <cstdint>

namespace {

// The decoder's output side at M/8: rounded up, as the library computes it.
int64_t DecodedLength(int64_t length, int64_t numerator) {
    return (length * numerator + DecodeScaleDenominator - 1) / DecodeScaleDenominator;
}

}  // namespace

int PictureDpi(int readDpi) { return std::clamp(readDpi, UnscaledDpi, LargestDpi); }

int ScaledLength(int length, int dpi) {
    if (length <= 0) return 0;
    return static_cast<int>((static_cast<int64_t>(length) * dpi + UnscaledDpi / 2) / UnscaledDpi);
}

ScaledDecode PlanScaledDecode(int width, int height, int dpi) {
    ScaledDecode plan;
    plan.Width = ScaledLength(width, dpi);
    plan.Height = ScaledLength(height, dpi);
    int numerator = 1;
    while (numerator < LargestDecodeScale &&
           (DecodedLength(width, numerator) < plan.Width || DecodedLength(height, numerator) < plan.Height))
        ++numerator;
    plan.ScaleNumerator = numerator;
    return plan;
}

size_t PaintingFor(int dpi) {
    for (size_t painting = 0; painting < PaintingCount; ++painting)
        if (PaintedDpis[painting] >= dpi) return painting;
    return PaintingCount - 1;
}
