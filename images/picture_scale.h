#pragma once
// The size of a picture on a scaled desktop. The scale is the screen's dots per inch over
// 96: a picture of 1024 x 768 pixels takes 1280 x 960 at 120 dpi (125 %) and 2048 x 1536 at
// 192 (200 %), the size it has beside the desktop's own text and icons at 100 %.
// Platform-free.
#include <cstddef>

inline constexpr int UnscaledDpi = 96;
// 500 %, the largest scale a desktop can be given.
inline constexpr int LargestDpi = 480;

// The dpi the pictures follow for a reading of the screen: below 96 (no reading, or an odd
// one) the pictures keep their own size, and beyond the largest scale they grow no further.
int PictureDpi(int readDpi);
// length scaled by dpi / 96, rounded to the nearest pixel.
int ScaledLength(int length, int dpi);

// The decoder gives a picture at M/8 of its size (M = 1 ... 16) with its own filtering, at no
// extra pass; that covers every scale step up to 200 % exactly. Other scales decode at the
// nearest larger M/8 (the largest, beyond 200 %) and are resampled to their size.
inline constexpr int DecodeScaleDenominator = 8;
inline constexpr int LargestDecodeScale = 16;

struct ScaledDecode {
    int ScaleNumerator = DecodeScaleDenominator;
    // The picture's size at the dpi, or the box it is shown in when that is smaller.
    int Width = 0;
    int Height = 0;
};

// A picture larger than its room at the dpi is shown stretched into the largest 4:3 box of
// the room, and so is decoded at that box's size, never larger. A room of 0 x 0 is no limit.
ScaledDecode PlanScaledDecode(int width, int height, int dpi, int roomWidth, int roomHeight);

// The dialog's pictures are painted at 100, 150 and 200 %. A scale with a painting of its
// own shows it as painted; any other takes the next larger painting (the largest beyond
// 200 %) resampled to its size. Returns the painting's index in PaintedDpis.
inline constexpr int PaintedDpis[] = {96, 144, 192};
inline constexpr size_t PaintingCount = sizeof PaintedDpis / sizeof PaintedDpis[0];
size_t PaintingFor(int dpi);
