#include "images/four_three_box.h"

#include <cstdint>

namespace {
constexpr int64_t RatioWidth = 4;
constexpr int64_t RatioHeight = 3;
}

// 64-bit intermediates keep the products exact for any int input; the quotients are the
// same truncating-toward-zero divisions as in 32 bits wherever those do not overflow.
FourThreeBox FitFourThreeBox(int x, int y, int width, int height) {
    const int64_t w = width;
    const int64_t h = height;
    const int64_t heightForWidth = (RatioHeight * w) / RatioWidth;
    if (heightForWidth > h) {
        const int64_t boxWidth = (RatioWidth * h) / RatioHeight;
        return {static_cast<int>(x + (w - boxWidth) / 2), y, static_cast<int>(boxWidth), height};
    }
    if ((RatioWidth * h) / RatioHeight > w) {
        return {x, static_cast<int>(y + (h - heightForWidth) / 2), width, static_cast<int>(heightForWidth)};
    }
    return {x, y, width, height};
}
