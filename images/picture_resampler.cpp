#include "images/picture_resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int WeightBits = 14;
constexpr int32_t WeightOne = 1 << WeightBits;
constexpr double FilterRadius = 2.0;
constexpr int Channels = 3;

double CatmullRom(double x) {
    x = std::fabs(x);
    if (x < 1) return (1.5 * x - 2.5) * x * x + 1;
    if (x < 2) return ((-0.5 * x + 2.5) * x - 4) * x + 2;
    return 0;
}

// Per target position along one side: the source positions it reads and their weights in
// fixed point, which add up to exactly WeightOne, so a flat colour stays exactly as it is.
struct Taps {
    std::unique_ptr<int[]> Positions;
    std::unique_ptr<int32_t[]> Weights;
    int PerTarget = 0;

    bool Make(int sourceLength, int targetLength) {
        const double ratio = static_cast<double>(sourceLength) / targetLength;
        const double widening = std::max(1.0, ratio);
        const double radius = FilterRadius * widening;
        PerTarget = static_cast<int>(std::ceil(radius)) * 2 + 1;
        const size_t count = static_cast<size_t>(targetLength) * static_cast<size_t>(PerTarget);
        Positions.reset(new (std::nothrow) int[count]);
        Weights.reset(new (std::nothrow) int32_t[count]);
        std::unique_ptr<double[]> exact(new (std::nothrow) double[static_cast<size_t>(PerTarget)]);
        if (!Positions || !Weights || !exact) return false;
        for (int t = 0; t < targetLength; ++t) {
            // Pixel centres line up: target pixel t covers source [t, t + 1) x ratio.
            const double centre = (t + 0.5) * ratio - 0.5;
            const int first = static_cast<int>(std::floor(centre - radius)) + 1;
            double sum = 0;
            for (int k = 0; k < PerTarget; ++k) {
                exact[k] = CatmullRom((first + k - centre) / widening);
                sum += exact[k];
            }
            int32_t* weights = Weights.get() + static_cast<size_t>(t) * PerTarget;
            int* positions = Positions.get() + static_cast<size_t>(t) * PerTarget;
            int32_t total = 0;
            int heaviest = 0;
            for (int k = 0; k < PerTarget; ++k) {
                positions[k] = std::clamp(first + k, 0, sourceLength - 1);
                weights[k] = static_cast<int32_t>(std::lround(exact[k] / sum * WeightOne));
                total += weights[k];
                if (weights[k] > weights[heaviest]) heaviest = k;
            }
            weights[heaviest] += WeightOne - total;
        }
        return true;
    }
};

uint8_t ToByte(int32_t sum) {
    return static_cast<uint8_t>(std::clamp((sum + WeightOne / 2) >> WeightBits, 0, 255));
}

}  // namespace

bool ResamplePicture(const SourceRows& source, const TargetRows& target) {
    if (!source.Top || !target.Top || source.Width <= 0 || source.Height <= 0 || target.Width <= 0 ||
        target.Height <= 0)
        return false;
    Taps across, down;
    const size_t rowBytes = static_cast<size_t>(target.Width) * Channels;
    std::unique_ptr<uint8_t[]> widened(new (std::nothrow) uint8_t[rowBytes * static_cast<size_t>(source.Height)]);
    std::unique_ptr<int32_t[]> sums(new (std::nothrow) int32_t[rowBytes]);
    if (!widened || !sums || !across.Make(source.Width, target.Width) || !down.Make(source.Height, target.Height))
        return false;

    // Along the rows first, into rows of the target's width, then down the columns.
    for (int y = 0; y < source.Height; ++y) {
        const uint8_t* in = source.Top + source.Stride * y;
        uint8_t* out = widened.get() + rowBytes * static_cast<size_t>(y);
        for (int x = 0; x < target.Width; ++x) {
            const int* positions = across.Positions.get() + static_cast<size_t>(x) * across.PerTarget;
            const int32_t* weights = across.Weights.get() + static_cast<size_t>(x) * across.PerTarget;
            int32_t b = 0, g = 0, r = 0;
            for (int k = 0; k < across.PerTarget; ++k) {
                const uint8_t* pixel = in + positions[k] * Channels;
                b += pixel[0] * weights[k];
                g += pixel[1] * weights[k];
                r += pixel[2] * weights[k];
            }
            out[x * Channels] = ToByte(b);
            out[x * Channels + 1] = ToByte(g);
            out[x * Channels + 2] = ToByte(r);
        }
    }
    for (int y = 0; y < target.Height; ++y) {
        const int* positions = down.Positions.get() + static_cast<size_t>(y) * down.PerTarget;
        const int32_t* weights = down.Weights.get() + static_cast<size_t>(y) * down.PerTarget;
        std::memset(sums.get(), 0, rowBytes * sizeof(int32_t));
        for (int k = 0; k < down.PerTarget; ++k) {
            const uint8_t* in = widened.get() + rowBytes * static_cast<size_t>(positions[k]);
            const int32_t weight = weights[k];
            for (size_t i = 0; i < rowBytes; ++i) sums[i] += in[i] * weight;
        }
        uint8_t* out = target.Top + target.Stride * y;
        for (size_t i = 0; i < rowBytes; ++i) out[i] = ToByte(sums[i]);
    }
    return true;
}
