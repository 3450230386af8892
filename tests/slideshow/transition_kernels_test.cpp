#include "slideshow/transition_kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "common/pixel_rect.h"

namespace {

// A part of a wider 32-bit front (each row has bytes beyond the part, which stand for the
// rest of the frame), a 24-bit target with rows of its own length and a 24-bit from-picture of
// just the part. The front starts as its own pattern, fourth bytes never 0, and the target
// differs from it in every colour byte, so each copied byte shows.
struct Frame {
    int32_t width, height, stride, fromStride, targetStride;
    std::vector<uint8_t> initial, front, from, target;

    Frame(int32_t w, int32_t h)
        : width(w), height(h), stride(4 * w + 12), fromStride(3 * w), targetStride(3 * w + 5) {
        const size_t size = static_cast<size_t>(stride) * h;
        initial.resize(size);
        from.resize(static_cast<size_t>(fromStride) * h);
        target.resize(static_cast<size_t>(targetStride) * h);
        uint32_t state = 0x9E3779B9u ^ static_cast<uint32_t>(w * 7919 + h);
        for (size_t k = 0; k < size; ++k) {
            state = state * 1664525u + 1013904223u;
            initial[k] = static_cast<uint8_t>(state >> 24);
            if (IsOutside(k)) continue;
            if (IsFourth(k)) {
                initial[k] |= 1;
                continue;
            }
            from[SourceIndex(k, fromStride)] = static_cast<uint8_t>(state >> 16);
            target[SourceIndex(k, targetStride)] = static_cast<uint8_t>(initial[k] + 1 + (state >> 8) % 255);
        }
        front = initial;
    }

    TransitionPixels Pixels() {
        return {front.data(), from.data(), target.data(), width, height, stride, fromStride, targetStride, 0, 0, width};
    }
    bool IsOutside(size_t k) const { return static_cast<int32_t>(k % stride) >= 4 * width; }
    static bool IsFourth(size_t k) { return k % 4 == 3; }
    // The source byte that front byte k (inside the part, not a fourth) shows.
    size_t SourceIndex(size_t k, int32_t sourceStride) const {
        return k / stride * sourceStride + k % stride / 4 * 3 + k % 4;
    }
    // What front byte k inside the part holds once it shows the from-picture or the target.
    uint8_t FromByte(size_t k) const { return IsFourth(k) ? 0 : from[SourceIndex(k, fromStride)]; }
    uint8_t TargetByte(size_t k) const { return IsFourth(k) ? 0 : target[SourceIndex(k, targetStride)]; }
};

constexpr int32_t FullCopyStep = LastEffectStep + 1;
constexpr int32_t LastSceneStep = 35;

// The step at which a byte of the front takes the target's value, for the cumulative effects;
// bytes outside the part never do.
int32_t ShadeChangeStep(const Frame& frame, size_t k, bool reverseSweep) {
    if (frame.IsOutside(k)) return INT_MAX;
    const int32_t band = static_cast<int32_t>(k / frame.stride) % 32;
    return reverseSweep ? 32 - band : band;
}

int32_t BlockChangeStep(const Frame& frame, size_t k) {
    const int32_t row = static_cast<int32_t>(k / frame.stride);
    const int32_t column = static_cast<int32_t>(k % frame.stride) / 4;
    if (frame.IsOutside(k)) return INT_MAX;
    if (column >= frame.width / 64 * 64) return FullCopyStep;
    return 32 - std::max((row % 64) / 2, (column % 64) / 2);
}

const int32_t Widths[] = {1, 2, 3, 63, 64, 65, 100, 341, 1024, 1366};
const int32_t Heights[] = {1, 31, 32, 33, 100};

// Fade is absolute: every step, run in sequence or alone, gives the formula on every colour
// byte of the part and 0 in the fourth, and leaves the rest; steps past 32 give the exact
// target.
TEST(TransitionKernels, FadeMatchesTheFormulaAtEveryStepAndSize) {
    for (int32_t width : Widths) {
        for (int32_t height : Heights) {
            Frame frame(width, height);
            for (int32_t step = -2; step <= LastSceneStep + 2; ++step) {
                EXPECT_EQ(RenderTransitionStep(frame.Pixels(), FadeEffect, step, false), 1);
                const uint32_t f = 8 * static_cast<uint32_t>(std::clamp(step, 0, 32));
                size_t mismatches = 0;
                for (size_t k = 0; k < frame.front.size(); ++k) {
                    const uint8_t expected =
                        frame.IsOutside(k)
                            ? frame.initial[k]
                            : static_cast<uint8_t>((frame.FromByte(k) * (256 - f) + frame.TargetByte(k) * f) >> 8);
                    mismatches += frame.front[k] != expected;
                }
                ASSERT_EQ(mismatches, 0u) << width << "x" << height << " step " << step;
            }
        }
    }
}

// Shade and Block are cumulative: after each step exactly the bytes whose change step has
// come hold the target; Block's columns beyond the last whole tile wait for the full copy.
TEST(TransitionKernels, ShadeAndBlockRevealExactlyTheirBytesAtEachStep) {
    struct Effect {
        uint32_t type;
        bool reverseSweep;
    };
    const Effect effects[] = {{ShadeEffect, false}, {ShadeEffect, true}, {BlockEffect, false}};
    for (const Effect& effect : effects) {
        for (int32_t width : Widths) {
            for (int32_t height : Heights) {
                Frame frame(width, height);
                std::vector<int32_t> changeStep(frame.front.size());
                for (size_t k = 0; k < changeStep.size(); ++k)
                    changeStep[k] = effect.type == ShadeEffect ? ShadeChangeStep(frame, k, effect.reverseSweep)
                                                               : BlockChangeStep(frame, k);
                for (int32_t step = 0; step <= LastSceneStep; ++step) {
                    const int expectedResult = effect.type == BlockEffect && step == 0 ? 0 : 1;
                    EXPECT_EQ(RenderTransitionStep(frame.Pixels(), effect.type, step, effect.reverseSweep),
                              expectedResult);
                    size_t mismatches = 0;
                    for (size_t k = 0; k < frame.front.size(); ++k)
                        mismatches +=
                            frame.front[k] != (changeStep[k] <= step ? frame.TargetByte(k) : frame.initial[k]);
                    ASSERT_EQ(mismatches, 0u) << "effect " << effect.type << " reverse " << effect.reverseSweep
                                              << " " << width << "x" << height << " step " << step;
                }
            }
        }
    }
}

TEST(TransitionKernels, FadeWorkedExample) {
    Frame frame(1, 1);
    std::fill(frame.from.begin(), frame.from.end(), 200);
    std::fill(frame.target.begin(), frame.target.end(), 100);
    FadeStep(frame.Pixels(), 4);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(frame.front[k], 187);
    EXPECT_EQ(frame.front[3], 0);
}

TEST(TransitionKernels, ShadeStepThreeCopiesOneRowPerBand) {
    Frame frame(5, 100);
    EXPECT_EQ(ShadeStep(frame.Pixels(), 3, false), 1);
    for (int32_t row = 0; row < frame.height; ++row) {
        const bool copied = row == 3 || row == 35 || row == 67 || row == 99;
        const size_t start = static_cast<size_t>(row) * frame.stride;
        for (size_t k = start; k < start + 20; ++k)
            EXPECT_EQ(frame.front[k], copied ? frame.TargetByte(k) : frame.initial[k]) << row;
        EXPECT_EQ(frame.front[start + 20], frame.initial[start + 20]) << "beyond row " << row;
    }
}

TEST(TransitionKernels, BlockFirstStepCopiesTheOuterBandOfEachTile) {
    Frame frame(130, 130);
    EXPECT_EQ(BlockStep(frame.Pixels(), 1), 1);
    for (int32_t row = 0; row < frame.height; ++row) {
        for (int32_t column = 0; column < frame.width; ++column) {
            const int32_t r = row % 64, c = column % 64;
            const bool inTile = column < 128;
            const bool copied = inTile && (r >= 62 || c >= 62);
            const size_t k = static_cast<size_t>(row) * frame.stride + 4 * column;
            for (size_t b = k; b < k + 4; ++b)
                ASSERT_EQ(frame.front[b], copied ? frame.TargetByte(b) : frame.initial[b]) << row << "," << column;
        }
    }
}

TEST(TransitionKernels, BlockStepZeroAndEarlierCopyNothing) {
    for (int32_t step : {0, -1, -40}) {
        Frame frame(200, 100);
        EXPECT_EQ(BlockStep(frame.Pixels(), step), 0) << step;
        EXPECT_EQ(frame.front, frame.initial) << step;
    }
}

TEST(TransitionKernels, FullCopyAfterStepThirtyTwoCopiesThePartWhole) {
    for (uint32_t effect : {FadeEffect, ShadeEffect, BlockEffect}) {
        Frame frame(65, 33);
        EXPECT_EQ(RenderTransitionStep(frame.Pixels(), effect, 33, false), 1);
        size_t mismatches = 0;
        for (size_t k = 0; k < frame.front.size(); ++k)
            mismatches += frame.front[k] != (frame.IsOutside(k) ? frame.initial[k] : frame.TargetByte(k));
        EXPECT_EQ(mismatches, 0u) << effect;
    }
}

// Rendered piece by piece, each piece with its from-picture and target in buffers of its own,
// a step gives the front exactly the bytes that rendering the whole frame gives inside the
// pieces: Shade's bands and Block's tiles stay where the frame puts them.
TEST(TransitionKernels, PiecesOfTheFrameRenderAsTheWholeFrameDoes) {
    constexpr int32_t width = 300, height = 170;
    const PixelRect boxes[][2] = {{{70, 9, 201, 140}, {130, 41, 299, 170}}, {{0, 0, 65, 63}, {100, 90, 300, 150}}};
    for (const auto& box : boxes) {
        const RectPieces pieces = SeparatedPieces(box[0], box[1]);
        for (uint32_t effect : {FadeEffect, ShadeEffect, BlockEffect}) {
            Frame whole(width, height), parts(width, height);
            for (int32_t step = 0; step <= LastSceneStep; ++step) {
                RenderTransitionStep(whole.Pixels(), effect, step, true);
                for (int k = 0; k < pieces.Count; ++k) {
                    const PixelRect& piece = pieces.Pieces[k];
                    const int32_t pieceWidth = piece.Right - piece.Left, rows = piece.Bottom - piece.Top;
                    const size_t first = static_cast<size_t>(height - piece.Bottom) * parts.stride + 4 * piece.Left;
                    std::vector<uint8_t> from(static_cast<size_t>(3 * pieceWidth) * rows), target(from.size());
                    for (int32_t row = 0; row < rows; ++row) {
                        const size_t at = first + static_cast<size_t>(row) * parts.stride;
                        std::memcpy(&from[3 * pieceWidth * row], &parts.from[parts.SourceIndex(at, parts.fromStride)],
                                    3 * pieceWidth);
                        std::memcpy(&target[3 * pieceWidth * row],
                                    &parts.target[parts.SourceIndex(at, parts.targetStride)], 3 * pieceWidth);
                    }
                    const TransitionPixels pixels{&parts.front[first], from.data(), target.data(),
                                                  pieceWidth,         rows,        parts.stride,
                                                  3 * pieceWidth,     3 * pieceWidth, piece.Left,
                                                  height - piece.Bottom, width};
                    RenderTransitionStep(pixels, effect, step, true);
                }
                size_t mismatches = 0;
                for (size_t k = 0; k < whole.front.size(); ++k) {
                    const int32_t x = static_cast<int32_t>(k % whole.stride) / 4;
                    const int32_t y = height - 1 - static_cast<int32_t>(k / whole.stride);
                    bool inside = false;
                    for (int p = 0; p < pieces.Count; ++p) {
                        const PixelRect& r = pieces.Pieces[p];
                        inside |= x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
                    }
                    mismatches += parts.front[k] != (inside ? whole.front[k] : parts.initial[k]);
                }
                ASSERT_EQ(mismatches, 0u) << "effect " << effect << " step " << step;
            }
        }
    }
}

TEST(TransitionKernels, NothingIsRenderedWithoutBuffersOrWithAnUnknownEffect) {
    Frame frame(64, 64);
    TransitionPixels noTarget = frame.Pixels();
    noTarget.Target = nullptr;
    TransitionPixels noHeight = frame.Pixels();
    noHeight.Height = 0;
    TransitionPixels shortStride = frame.Pixels();
    shortStride.Stride = 4 * 64 - 1;
    TransitionPixels shortFromStride = frame.Pixels();
    shortFromStride.FromStride = 3 * 64 - 1;
    TransitionPixels shortTargetStride = frame.Pixels();
    shortTargetStride.TargetStride = 3 * 64 - 1;
    TransitionPixels pastTheFrame = frame.Pixels();
    pastTheFrame.FrameColumn = 1;
    for (const TransitionPixels& pixels :
         {noTarget, noHeight, shortStride, shortFromStride, shortTargetStride, pastTheFrame}) {
        for (uint32_t effect : {FadeEffect, ShadeEffect, BlockEffect}) {
            for (int32_t step : {0, 5, 33}) EXPECT_EQ(RenderTransitionStep(pixels, effect, step, false), 0);
        }
    }
    EXPECT_EQ(RenderTransitionStep(frame.Pixels(), 3, 5, false), 0);
    EXPECT_EQ(frame.front, frame.initial);
}

}  // namespace
