// One dim-in tick (the whole capture scaled to a level) at three screen sizes, beside a
// plain copy of the same bytes, which bounds what any byte-wise kernel can reach.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "display/scale_brightness.h"

namespace {

struct ScreenSize {
    int32_t width;
    int32_t height;
};
constexpr ScreenSize Sizes[] = {{1024, 768}, {1920, 1080}, {3840, 2160}};
constexpr int32_t HalfLevel = 16;

std::vector<uint8_t> Filled(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t k = 0; k < count; ++k) bytes[k] = static_cast<uint8_t>(k * 131 + 7);
    return bytes;
}

size_t BufferBytes(const ScreenSize& size) { return PixelBufferBytes(size.width, size.height); }

void BM_ScaleBrightness(benchmark::State& state) {
    const ScreenSize size = Sizes[state.range(0)];
    const std::vector<uint8_t> source = Filled(BufferBytes(size));
    std::vector<uint8_t> destination(source.size());
    for (auto _ : state) {
        ScaleBrightness(destination.data(), source.data(), size.width, size.height, HalfLevel);
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    state.SetLabel(std::to_string(size.width) + "x" + std::to_string(size.height));
}

void BM_CopyBound(benchmark::State& state) {
    const ScreenSize size = Sizes[state.range(0)];
    const std::vector<uint8_t> source = Filled(BufferBytes(size));
    std::vector<uint8_t> destination(source.size());
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), source.size());
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    state.SetLabel(std::to_string(size.width) + "x" + std::to_string(size.height));
}

BENCHMARK(BM_ScaleBrightness)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyBound)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Collects the mean time per size and prints the kernel beside the copy.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) times_[run.report_label][run.benchmark_name().find("Copy") != std::string::npos] =
            run.GetAdjustedRealTime();
    }
    void PrintRatios() const {
        std::printf("\nScaleBrightness against a plain copy of the same buffer:\n");
        for (const auto& [label, pair] : times_) {
            std::printf("  %-10s scale %8.1f us  copy %8.1f us  ratio %.2f\n", label.c_str(), pair[0], pair[1],
                        pair[1] > 0 ? pair[0] / pair[1] : 0.0);
        }
    }

private:
    std::map<std::string, double[2]> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
