#include "image_ops.h"

#include <algorithm>
#include <cmath>

Colour ToColour(Rgb8 c) {
    constexpr float Scale = 1.0f / 255.0f;
    return {c.r * Scale, c.g * Scale, c.b * Scale};
}

RgbImage Resize(const RgbImage& image, int width, int height) {
    RgbImage result(width, height);
    const double sx = static_cast<double>(image.width) / width;
    const double sy = static_cast<double>(image.height) / height;
    for (int y = 0; y < height; ++y) {
        const int y0 = static_cast<int>(y * sy);
        const int y1 = std::max(y0 + 1, static_cast<int>((y + 1) * sy));
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(x * sx);
            const int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * sx));
            unsigned sums[3] = {0, 0, 0};
            for (int yy = y0; yy < y1; ++yy) {
                for (int xx = x0; xx < x1; ++xx) {
                    const Rgb8 c = image.At(xx, yy);
                    sums[0] += c.r;
                    sums[1] += c.g;
                    sums[2] += c.b;
                }
            }
            const unsigned n = static_cast<unsigned>((x1 - x0) * (y1 - y0));
            result.Set(x, y, {static_cast<uint8_t>((sums[0] + n / 2) / n), static_cast<uint8_t>((sums[1] + n / 2) / n),
                              static_cast<uint8_t>((sums[2] + n / 2) / n)});
        }
    }
    return result;
}

Colour SampleBilinear(const RgbImage& image, float x, float y) {
    const float fx = std::clamp(x - 0.5f, 0.0f, static_cast<float>(image.width - 1));
    const float fy = std::clamp(y - 0.5f, 0.0f, static_cast<float>(image.height - 1));
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, image.width - 1);
    const int y1 = std::min(y0 + 1, image.height - 1);
    const float tx = fx - x0;
    const float ty = fy - y0;
    const Colour top = Mix(ToColour(image.At(x0, y0)), ToColour(image.At(x1, y0)), tx);
    const Colour bottom = Mix(ToColour(image.At(x0, y1)), ToColour(image.At(x1, y1)), tx);
    return Mix(top, bottom, ty);
}
