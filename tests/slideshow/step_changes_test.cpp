#include "slideshow/step_changes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "slideshow/transition_kernels.h"

namespace {

bool Covered(const std::vector<PixelRect>& rects, int32_t x, int32_t y) {
    for (const PixelRect& r : rects)
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
    return false;
}

// A 24-bit from and target that differ only inside the two boxes (screen coordinates), as the
// surface composes them over one backdrop; the 32-bit front starts as the from.
struct BoxedFrames {
    int32_t width, height, stride, sourceStride;
    std::vector<uint8_t> front, from, target;

    BoxedFrames(int32_t w, int32_t h, const PixelRect& first, const PixelRect& second)
        : width(w), height(h), stride(RowStride32(w)), sourceStride(3 * w) {
        from.resize(static_cast<size_t>(sourceStride) * h);
        uint32_t state = static_cast<uint32_t>(w * 131 + h);
        for (auto& byte : from) byte = static_cast<uint8_t>((state = state * 1664525u + 1013904223u) >> 24);
        target = from;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < sourceStride; ++x)
                if (Covered({first, second}, x / BytesPerPixel24, y)) target[SourceOffset(y) + x] ^= 0x5A;
        front = Widened(from);
    }

    size_t Offset(int32_t screenRow) const { return static_cast<size_t>(height - 1 - screenRow) * stride; }
    size_t SourceOffset(int32_t screenRow) const { return static_cast<size_t>(height - 1 - screenRow) * sourceStride; }
    std::vector<uint8_t> Widened(const std::vector<uint8_t>& source) const {
        std::vector<uint8_t> wide(static_cast<size_t>(stride) * height);
        for (size_t p = 0; p < wide.size() / 4; ++p) std::copy_n(&source[3 * p], 3, &wide[4 * p]);
        return wide;
    }
    TransitionPixels Pixels() {
        return {front.data(), from.data(),  target.data(), width, height, stride, sourceStride,
                sourceStride, 0,           0,             width};
    }
};

// Every visible pixel that a step changes lies in a reported rectangle, and the cumulative
// effects report only a small share of the area, so that their repaint stays cheap.
TEST(StepChanges, CoverEveryChangedPixelOfEveryStep) {
    struct Case {
        uint32_t effect;
        int32_t width, height;
        PixelRect from, to;
        double mostShareOfArea;
    };
    const Case cases[] = {
        {FadeEffect, 100, 70, {10, 5, 60, 40}, {30, 20, 90, 69}, 1.0},
        {FadeEffect, 100, 70, {0, 0, 30, 20}, {60, 40, 100, 70}, 0.25},
        {ShadeEffect, 100, 70, {10, 5, 60, 40}, {30, 20, 90, 69}, 0.1},
        {ShadeEffect, 37, 33, {}, {0, 0, 37, 33}, 0.1},
        {BlockEffect, 200, 150, {3, 7, 170, 140}, {}, 0.2},
        {BlockEffect, 131, 70, {0, 0, 131, 70}, {5, 5, 20, 20}, 0.2},
    };
    for (const Case& c : cases) {
        for (bool reverse : {false, true}) {
            const PixelRect area = UnionOf(c.from, c.to);
            BoxedFrames frames(c.width, c.height, c.from, c.to);
            for (int32_t step = 0; step <= 35; ++step) {
                std::vector<uint8_t> before = frames.front;
                RenderTransitionStep(frames.Pixels(), c.effect, step, reverse);
                std::vector<PixelRect> changes;
                AppendStepChanges(c.effect, step, reverse, c.width, c.height, c.from, c.to, changes);
                double reported = 0;
                for (const PixelRect& r : changes) reported += double(r.Right - r.Left) * (r.Bottom - r.Top);
                if (step <= LastEffectStep) {
                    const double areaPixels = double(area.Right - area.Left) * (area.Bottom - area.Top);
                    EXPECT_LE(reported, c.mostShareOfArea * areaPixels + 2 * c.height) << c.effect << " " << step;
                }
                for (int32_t y = 0; y < c.height; ++y) {
                    for (int32_t x = 0; x < RowStride32(c.width); ++x) {
                        if (before[frames.Offset(y) + x] == frames.front[frames.Offset(y) + x]) continue;
                        ASSERT_TRUE(Covered(changes, x / BytesPerPixel32, y))
                            << "effect " << c.effect << " step " << step << " reverse " << reverse << " at "
                            << x / BytesPerPixel32 << "," << y;
                    }
                }
            }
            EXPECT_EQ(frames.front, frames.Widened(frames.target)) << c.effect;
        }
    }
}

TEST(StepChanges, NothingOutsideTheSurfaceNorWhereAStepShowsNoChange) {
    std::vector<PixelRect> changes;
    AppendStepChanges(FadeEffect, 10, false, 50, 40, {-20, -10, 200, 300}, {}, changes);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].Right, 50);
    EXPECT_EQ(changes[0].Bottom, 40);
    EXPECT_EQ(changes[0].Left, 0);
    changes.clear();
    for (int32_t step : {-1, 0, 33, 34})
        AppendStepChanges(FadeEffect, step, false, 50, 40, {0, 0, 50, 40}, {}, changes);
    AppendStepChanges(ShadeEffect, 33, false, 50, 40, {0, 0, 50, 40}, {}, changes);
    AppendStepChanges(BlockEffect, 33, false, 128, 40, {}, {0, 0, 128, 40}, changes);
    AppendStepChanges(BlockEffect, 5, false, 50, 40, {}, {}, changes);
    EXPECT_TRUE(changes.empty());
}

// Two boxes in every relative position come apart into pieces that do not overlap and hold
// exactly the pixels of one box or the other.
TEST(StepChanges, UnionPiecesCoverBothBoxesOnce) {
    const PixelRect first{10, 10, 30, 25};
    const PixelRect seconds[] = {{0, 0, 40, 40}, {15, 12, 20, 20}, {20, 0, 50, 15}, {0, 20, 15, 35}, {35, 30, 45, 40},
                                 {10, 10, 30, 25}, {}, {25, 5, 26, 40}};
    for (const PixelRect& second : seconds) {
        for (const auto& [a, b] : {std::pair{first, second}, std::pair{second, first}}) {
            const RectPieces pieces = UnionPieces(a, b);
            for (int32_t y = 0; y < 50; ++y) {
                for (int32_t x = 0; x < 50; ++x) {
                    int holders = 0;
                    for (int k = 0; k < pieces.Count; ++k) holders += Covered({pieces.Pieces[k]}, x, y);
                    ASSERT_EQ(holders, Covered({a, b}, x, y) ? 1 : 0)
                        << "at " << x << "," << y << " with " << b.Left << "," << b.Top << "," << b.Right << "," << b.Bottom;
                }
            }
        }
    }
}

}  // namespace
