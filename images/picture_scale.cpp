#include "images/picture_scale.h"

#include <algorithm>
#include <cstdint>

#include "images/four_three_box.h"

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

ScaledDecode PlanScaledDecode(int width, int height, int dpi, int roomWidth, int roomHeight) {
    ScaledDecode plan;
    plan.Width = ScaledLength(width, dpi);
    plan.Height = ScaledLength(height, dpi);
    if (roomWidth > 0 && roomHeight > 0 && (plan.Width > roomWidth || plan.Height > roomHeight)) {
        const FourThreeBox box = FitFourThreeBox(0, 0, std::min(plan.Width, roomWidth), std::min(plan.Height, roomHeight));
        plan.Width = box.Width;
        plan.Height = box.Height;
    }
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
