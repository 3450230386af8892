// The time to draw the desktop from a large JPEG wallpaper (decoded, scaled to the screen while
// it is decoded, and placed) beside a plain decode of the same file at its own size through the
// same imaging component, measured in the same run. The two take turns; each figure is the
// median of the repetitions, and the fastest is printed too.
//
// Usage: desktop_bench.exe WALLPAPER SCREEN_WIDTH SCREEN_HEIGHT [REPETITIONS]
//        (under Wine: bench/desktop_bench.sh WIN_BUILD_DIR)
#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "bench/bench_clock.h"
#include "common/pixel_layout.h"
#include "common/unique_com.h"
#include "display/drawn_desktop.h"
#include "images/pixel_section.h"

namespace {

constexpr int DefaultRepetitions = 15;
constexpr double RatioGoal = 1.5;


// The whole picture at its own size into a buffer of 32-bit pixels; false when it fails.
bool PlainDecode(const wchar_t* path, UINT* width, UINT* height) {
    UniqueCom<IWICImagingFactory> factory;
    UniqueCom<IWICBitmapDecoder> decoder;
    UniqueCom<IWICBitmapFrameDecode> frame;
    UniqueCom<IWICFormatConverter> converter;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.PutUntyped())) ||
        FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.Put())) ||
        FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(width, height)) ||
        FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return false;
    }
    const UINT stride = *width * BytesPerPixel32;
    std::unique_ptr<BYTE[]> pixels(new (std::nothrow) BYTE[size_t{stride} * *height]);
    return pixels && SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * *height, pixels.get()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: desktop_bench.exe WALLPAPER SCREEN_WIDTH SCREEN_HEIGHT [REPETITIONS]\n");
        return 2;
    }
    wchar_t path[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH);
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    const int repetitions = argc > 4 ? std::max(1, std::atoi(argv[4])) : DefaultRepetitions;

    ComApartment com;
    UniqueMemoryDc canvas(CreateCompatibleDC(nullptr));
    uint8_t* bits = nullptr;
    UniqueBitmap section = CreatePixelSection(canvas.get(), width, height, BitsPerPixel24, &bits);
    SelectionGuard selected(canvas.get(), section.get());
    DesktopLook look;
    look.Background = RGB(58, 110, 165);
    look.Style = WallpaperStyle::Fill;
    look.Monitors.push_back({{0, 0, width, height}, path});

    UINT pictureWidth = 0, pictureHeight = 0;
    if (!com.Usable() || !bits || !PlainDecode(path, &pictureWidth, &pictureHeight)) {
        std::printf("the wallpaper %s could not be decoded\n", argv[1]);
        return 1;
    }
    std::vector<double> drawn, plain;
    for (int i = 0; i < repetitions; ++i) {
        double start = NowMs();
        DrawDesktopLook(canvas.get(), width, height, {0, 0}, look);
        drawn.push_back(NowMs() - start);
        start = NowMs();
        PlainDecode(path, &pictureWidth, &pictureHeight);
        plain.push_back(NowMs() - start);
    }
    // The wallpaper must have been drawn, not the colour alone: the centre pixel tells.
    const uint8_t* centre = bits + (height / 2) * RowStride(width) + (width / 2) * BytesPerPixel24;
    const bool drewWallpaper = RGB(centre[2], centre[1], centre[0]) != look.Background;
    std::printf("desktop drawn from a %ux%u JPEG wallpaper (Fill), median of %d\n", pictureWidth, pictureHeight,
                repetitions);
    std::printf("%-14s %-10s %16s %16s %7s %14s\n", "figure", "screen", "drawn ms", "plain decode ms", "ratio",
                "fastest ratio");
    std::printf("%-14s %4dx%-5d %16.2f %16.2f %7.3f %14.3f   (goal: ratio <= %.2f)%s\n", "drawn desktop", width,
                height, Median(drawn), Median(plain), Median(drawn) / Median(plain), Fastest(drawn) / Fastest(plain),
                RatioGoal, drewWallpaper ? "" : "  WALLPAPER NOT DRAWN");
    return drewWallpaper ? 0 : 1;
}
