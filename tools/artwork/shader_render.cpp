#include "shader_render.h"

#include <thread>
#include <vector>

#include "noise.h"

namespace {

constexpr int WorkerCount = 2;
constexpr uint32_t DitherSeed = 0xD17E;

void RenderRows(RgbImage& image, int firstRow, int rowStep, int samplesPerAxis, const Shader& shader) {
    const float step = 1.0f / samplesPerAxis;
    const float weight = 1.0f / (samplesPerAxis * samplesPerAxis);
    for (int y = firstRow; y < image.height; y += rowStep) {
        for (int x = 0; x < image.width; ++x) {
            Colour sum;
            for (int sy = 0; sy < samplesPerAxis; ++sy) {
                for (int sx = 0; sx < samplesPerAxis; ++sx) {
                    sum = sum + shader(x + (sx + 0.5f) * step, y + (sy + 0.5f) * step);
                }
            }
            image.Set(x, y, DitheredPixel(sum * weight, x, y));
        }
    }
}

uint8_t StoreChannel(float v, float dither) {
    constexpr float Levels = 255.0f;
    return static_cast<uint8_t>(Clamp01(v) * Levels + dither);
}

}  // namespace

Rgb8 DitheredPixel(Colour c, int x, int y) {
    // Triangular dither of one level in total: the sum of two uniform values, centred on
    // the rounding point so that the average stays exact.
    const float dither = (HashUnit(x, y, DitherSeed) + HashUnit(x, y, DitherSeed + 1)) * 0.5f;
    return {StoreChannel(c.r, dither), StoreChannel(c.g, dither), StoreChannel(c.b, dither)};
}

RgbImage RenderShader(int width, int height, int samplesPerAxis, const Shader& shader) {
    RgbImage image(width, height);
    std::vector<std::thread> workers;
    for (int i = 1; i < WorkerCount; ++i) {
        workers.emplace_back(RenderRows, std::ref(image), i, WorkerCount, samplesPerAxis, std::cref(shader));
    }
    RenderRows(image, 0, WorkerCount, samplesPerAxis, shader);
    for (auto& worker : workers) worker.join();
    return image;
}

RgbaImage RenderCoverage(int width, int height, int samplesPerAxis, const CoverageShader& shader) {
    constexpr float Levels = 255.0f;
    RgbaImage image(width, height);
    const float step = 1.0f / samplesPerAxis;
    const float weight = 1.0f / (samplesPerAxis * samplesPerAxis);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour premultiplied;
            float alpha = 0;
            for (int sy = 0; sy < samplesPerAxis; ++sy) {
                for (int sx = 0; sx < samplesPerAxis; ++sx) {
                    const CoveredColour c = shader(x + (sx + 0.5f) * step, y + (sy + 0.5f) * step);
                    premultiplied = premultiplied + c.colour * c.alpha;
                    alpha += c.alpha;
                }
            }
            const Rgb8 pixel = alpha > 0 ? DitheredPixel(premultiplied * (1 / alpha), x, y) : Rgb8{};
            uint8_t* out = &image.rgba[(static_cast<size_t>(y) * width + x) * 4];
            out[0] = pixel.r;
            out[1] = pixel.g;
            out[2] = pixel.b;
            out[3] = static_cast<uint8_t>(Clamp01(alpha * weight) * Levels + 0.5f);
        }
    }
    return image;
}
