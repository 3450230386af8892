// Decode time of each embedded picture through JpegImage::Load beside the plain library
// decode of the same bytes into a memory buffer, measured in the same run. Each figure is
// the median of many repetitions; the fastest repetition is printed too, as the figure
// least disturbed by other load. The two ways take turns in blocks, not call by call: a
// plain decode's freed buffer and the next bitmap section otherwise trade fresh pages
// and charge page faults to whichever runs second.
//
// Then the decode at the desktop scales 125 %, 150 % and 200 % (the pictures at 1.25, 1.5 and 2
// times their size each way), each beside the same run's decode at 100 % multiplied by the
// ratio of the pixel counts: the cost a decode of that many pixels would have.
//
// Usage: jpeg_bench.exe [ROUNDS]   (under Wine: bench/jpeg_bench.sh WIN_BUILD_DIR)
#include <windows.h>

#include <stdio.h>
#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/bench_clock.h"
#include "common/process_state.h"
#include "images/jpeg_image.h"
#include "images/picture_scale.h"
#include "resources/resource_ids.h"

namespace {

constexpr int DefaultRounds = 6;
constexpr int RepetitionsPerRound = 8;
constexpr int WarmUpRuns = 3;
constexpr double RatioGoal = 1.10;
constexpr int PlainFailure = -1;


[[noreturn]] void ThrowingExit(j_common_ptr) { throw PlainFailure; }

struct ResourceBytes {
    const unsigned char* Data = nullptr;
    unsigned long Size = 0;
};

ResourceBytes Locate(int id) {
    ResourceBytes bytes;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), JpegResourceType);
    if (!found) return bytes;
    HGLOBAL loaded = LoadResource(nullptr, found);
    bytes.Data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    bytes.Size = SizeofResource(nullptr, found);
    return bytes;
}

// The library alone: bytes in memory to top-down red-green-blue rows in a plain buffer.
bool PlainDecode(const ResourceBytes& bytes, int& width, int& height) {
    jpeg_decompress_struct decompressor{};
    jpeg_error_mgr errors{};
    decompressor.err = jpeg_std_error(&errors);
    errors.error_exit = ThrowingExit;
    std::unique_ptr<unsigned char, decltype(&std::free)> pixels(nullptr, &std::free);
    bool ok = true;
    try {
        jpeg_create_decompress(&decompressor);
        jpeg_mem_src(&decompressor, bytes.Data, bytes.Size);
        jpeg_read_header(&decompressor, TRUE);
        jpeg_start_decompress(&decompressor);
        width = static_cast<int>(decompressor.output_width);
        height = static_cast<int>(decompressor.output_height);
        const size_t rowBytes = static_cast<size_t>(width) * decompressor.output_components;
        pixels.reset(static_cast<unsigned char*>(std::malloc(rowBytes * static_cast<size_t>(height))));
        if (!pixels) throw PlainFailure;
        while (decompressor.output_scanline < decompressor.output_height) {
            JSAMPROW row = pixels.get() + rowBytes * decompressor.output_scanline;
            jpeg_read_scanlines(&decompressor, &row, 1);
        }
        jpeg_finish_decompress(&decompressor);
    } catch (int) {
        ok = false;
    }
    jpeg_destroy_decompress(&decompressor);
    return ok;
}

double TimeImageLoad(JpegImage& image, bool& ok) {
    const double start = NowMs();
    ok = image.Load() == 1;
    const double elapsed = NowMs() - start;
    image.Release();
    return elapsed;
}

struct ScaleRow {
    int Dpi;
    const char* Name;
};
constexpr ScaleRow ScaleRows[] = {{120, "125 %"}, {144, "150 %"}, {192, "200 %"}};

// The median of the six pictures' loads at dpi, added up; negative when one fails.
double ScaledDecodeTotal(int dpi, int rounds) {
    double total = 0;
    for (int id = IDR_PICTURE_FIRST; id < IDR_PICTURE_FIRST + IDR_PICTURE_COUNT; ++id) {
        JpegImage image;
        image.SetSource(MAKEINTRESOURCEA(id));
        image.ScaleTo(dpi);
        bool ok = true;
        for (int r = 0; ok && r < WarmUpRuns; ++r) TimeImageLoad(image, ok);
        std::vector<double> times;
        for (int r = 0; ok && r < rounds * RepetitionsPerRound; ++r) times.push_back(TimeImageLoad(image, ok));
        if (!ok) return -1;
        total += Median(times);
    }
    return total;
}

double TimePlainDecode(const ResourceBytes& bytes, bool& ok) {
    int width = 0, height = 0;
    const double start = NowMs();
    ok = PlainDecode(bytes, width, height);
    return NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
    ModuleInstance = GetModuleHandleA(nullptr);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRounds;

    std::printf("JPEG decode, median of %d repetitions each (%d rounds of %d, after %d warm-up runs)\n",
                rounds * RepetitionsPerRound, rounds, RepetitionsPerRound, WarmUpRuns);
    std::printf("%-8s %-10s %18s %16s %7s %13s\n", "picture", "size", "JpegImage::Load ms", "plain decode ms", "ratio",
                "fastest ratio");
    double imageTotal = 0, plainTotal = 0, imageFastest = 0, plainFastest = 0;
    bool allOk = true;
    for (int id = IDR_PICTURE_FIRST; id < IDR_PICTURE_FIRST + IDR_PICTURE_COUNT; ++id) {
        const ResourceBytes bytes = Locate(id);
        JpegImage image;
        image.SetSource(MAKEINTRESOURCEA(id));
        bool ok = bytes.Data && image.Load() == 1;
        const int width = image.Width(), height = image.Height();
        image.Release();
        std::vector<double> imageMs, plainMs, warmUp;
        bool imageOk = ok, plainOk = ok;
        for (int r = 0; ok && r < WarmUpRuns; ++r) {
            warmUp.push_back(TimeImageLoad(image, imageOk));
            warmUp.push_back(TimePlainDecode(bytes, plainOk));
            ok = imageOk && plainOk;
        }
        for (int round = 0; ok && round < rounds; ++round) {
            for (int r = 0; imageOk && r < RepetitionsPerRound; ++r) imageMs.push_back(TimeImageLoad(image, imageOk));
            for (int r = 0; plainOk && r < RepetitionsPerRound; ++r) plainMs.push_back(TimePlainDecode(bytes, plainOk));
            ok = imageOk && plainOk;
        }
        if (!ok) {
            std::printf("%-8d could not be decoded\n", id);
            allOk = false;
            continue;
        }
        const double imageMedian = Median(imageMs), plainMedian = Median(plainMs);
        imageTotal += imageMedian;
        plainTotal += plainMedian;
        imageFastest += Fastest(imageMs);
        plainFastest += Fastest(plainMs);
        std::printf("%-8d %4dx%-5d %18.3f %16.3f %7.3f %13.3f\n", id, width, height, imageMedian, plainMedian,
                    imageMedian / plainMedian, Fastest(imageMs) / Fastest(plainMs));
    }
    if (plainTotal > 0) {
        std::printf("%-19s %18.3f %16.3f %7.3f %13.3f   (goal: ratio <= %.2f)\n", "all pictures", imageTotal,
                    plainTotal, imageTotal / plainTotal, imageFastest / plainFastest, RatioGoal);
    }
    std::printf("\nScaled decode, all six pictures through JpegImage::Load, median of %d repetitions each\n",
                rounds * RepetitionsPerRound);
    std::printf("%-8s %-10s %16s %24s %7s\n", "scale", "size", "scaled decode ms", "100 % x pixel ratio ms", "ratio");
    for (const ScaleRow& row : ScaleRows) {
        const double scaled = ScaledDecodeTotal(row.Dpi, rounds);
        const int width = ScaledLength(1024, row.Dpi), height = ScaledLength(768, row.Dpi);
        const double bound = imageTotal * (static_cast<double>(width) * height) / (1024.0 * 768.0);
        if (scaled < 0 || bound <= 0) {
            std::printf("scaled %-8s could not be decoded\n", row.Name);
            allOk = false;
            continue;
        }
        std::printf("scaled %-5s %4dx%-5d %16.3f %24.3f %7.3f\n", row.Name, width, height, scaled, bound, scaled / bound);
    }
    return allOk ? EXIT_SUCCESS : EXIT_FAILURE;
}
