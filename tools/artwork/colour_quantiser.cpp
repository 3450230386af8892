#include "colour_quantiser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace {

constexpr int WeightRed = 2;
constexpr int WeightGreen = 4;
constexpr int WeightBlue = 3;
constexpr int RefinementRounds = 4;

uint8_t Channel(Rgb8 c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

struct Box {
    size_t begin;
    size_t end;
    int axis = 0;
    double score = 0;  // spread along `axis` times the number of samples: the error a split removes
};

void Measure(const std::vector<Rgb8>& samples, Box& box) {
    constexpr int Weights[3] = {WeightRed, WeightGreen, WeightBlue};
    box.score = 0;
    const double n = static_cast<double>(box.end - box.begin);
    for (int axis = 0; axis < 3; ++axis) {
        double sum = 0;
        double squares = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            const double v = Channel(samples[i], axis);
            sum += v;
            squares += v * v;
        }
        const double spread = (squares - sum * sum / n) * Weights[axis];
        if (spread > box.score) {
            box.score = spread;
            box.axis = axis;
        }
    }
}

Rgb8 Average(const std::vector<Rgb8>& samples, size_t begin, size_t end) {
    uint64_t sums[3] = {0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        for (int axis = 0; axis < 3; ++axis) sums[axis] += Channel(samples[i], axis);
    }
    const uint64_t n = end - begin;
    return {static_cast<uint8_t>((sums[0] + n / 2) / n), static_cast<uint8_t>((sums[1] + n / 2) / n),
            static_cast<uint8_t>((sums[2] + n / 2) / n)};
}

std::vector<Rgb8> MeanCut(std::vector<Rgb8> samples, int count) {
    std::vector<Box> boxes{{0, samples.size()}};
    Measure(samples, boxes[0]);
    while (static_cast<int>(boxes.size()) < count) {
        const auto widest = std::max_element(boxes.begin(), boxes.end(),
                                             [](const Box& a, const Box& b) { return a.score < b.score; });
        if (widest->score <= 0) break;  // every box holds one colour only
        Box box = *widest;
        const int axis = box.axis;
        auto first = samples.begin() + static_cast<ptrdiff_t>(box.begin);
        auto last = samples.begin() + static_cast<ptrdiff_t>(box.end);
        std::sort(first, last, [axis](Rgb8 a, Rgb8 b) { return Channel(a, axis) < Channel(b, axis); });
        // Split at the mean rather than the median: a median falls inside a dominant
        // cluster and cuts it in two, while small clusters of distinct colour get lost.
        double sum = 0;
        for (auto it = first; it != last; ++it) sum += Channel(*it, axis);
        const double mean = sum / static_cast<double>(box.end - box.begin);
        const auto above = std::find_if(first, last, [axis, mean](Rgb8 c) { return Channel(c, axis) > mean; });
        const size_t split = box.begin + static_cast<size_t>(above - first);
        Box low{box.begin, split};
        Box high{split, box.end};
        Measure(samples, low);
        Measure(samples, high);
        *widest = low;
        boxes.push_back(high);
    }
    std::vector<Rgb8> colours;
    for (const Box& box : boxes) colours.push_back(Average(samples, box.begin, box.end));
    return colours;
}

// Moves every colour to the mean of the samples nearest to it.
void Refine(const std::vector<Rgb8>& samples, std::vector<Rgb8>& colours) {
    Palette palette{};
    std::copy(colours.begin(), colours.end(), palette.begin());
    const int n = static_cast<int>(colours.size());
    for (int round = 0; round < RefinementRounds; ++round) {
        std::vector<std::array<uint64_t, 4>> sums(n, {0, 0, 0, 0});
        for (const Rgb8& s : samples) {
            auto& sum = sums[NearestIndex(palette, 0, n, s)];
            sum[0] += s.r;
            sum[1] += s.g;
            sum[2] += s.b;
            ++sum[3];
        }
        for (int i = 0; i < n; ++i) {
            const uint64_t k = sums[i][3];
            if (k == 0) continue;
            palette[i] = {static_cast<uint8_t>((sums[i][0] + k / 2) / k), static_cast<uint8_t>((sums[i][1] + k / 2) / k),
                          static_cast<uint8_t>((sums[i][2] + k / 2) / k)};
        }
    }
    std::copy(palette.begin(), palette.begin() + n, colours.begin());
}

}  // namespace

int ColourDistance(Rgb8 a, Rgb8 b) {
    const int dr = a.r - b.r;
    const int dg = a.g - b.g;
    const int db = a.b - b.b;
    return WeightRed * dr * dr + WeightGreen * dg * dg + WeightBlue * db * db;
}

std::vector<Rgb8> ChoosePalette(const std::vector<Rgb8>& samples, int count) {
    if (samples.empty()) return std::vector<Rgb8>(static_cast<size_t>(count));
    std::vector<Rgb8> colours = MeanCut(samples, count);
    if (static_cast<int>(colours.size()) == count) Refine(samples, colours);
    const Rgb8 last = colours.back();
    colours.resize(static_cast<size_t>(count), last);
    return colours;
}

int NearestIndex(const Palette& palette, int first, int end, Rgb8 c) {
    int best = first;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = first; i < end; ++i) {
        const int d = ColourDistance(palette[i], c);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}
