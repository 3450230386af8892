#pragma once
// Plain pixel containers shared by the painters and the file writers. Rows run top-down;
// the writers turn them into the bottom-up layouts that the file formats want.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb8 {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb8&) const = default;
};

constexpr int PaletteSize = 256;
using Palette = std::array<Rgb8, PaletteSize>;

// Three bytes per pixel, red first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3) {}
    Rgb8 At(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    void Set(int x, int y, Rgb8 c) {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        rgb[i] = c.r;
        rgb[i + 1] = c.g;
        rgb[i + 2] = c.b;
    }
};

// Four bytes per pixel, red first, straight (not premultiplied) alpha.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4) {}
};

// One colour-table index per pixel.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indexes;
    Palette palette{};

    IndexedImage() = default;
    IndexedImage(int w, int h) : width(w), height(h), indexes(static_cast<size_t>(w) * h) {}
    uint8_t At(int x, int y) const { return indexes[static_cast<size_t>(y) * width + x]; }
};
