// One step of each transition effect and of the full copy at three screen sizes, each
// beside a memory-bandwidth bound measured in the same run: a streaming kernel that reads
// the two source buffers and writes the front buffer once (a plain byte average). The
// summary prints each step's time as a multiple of the bound.
#include <benchmark/benchmark.h>

#include <immintrin.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "slideshow/fade_kernel.h"
#include "slideshow/transition_kernels.h"

namespace {

constexpr size_t BufferAlignment = 64;
constexpr size_t AvxBytes = 32;
constexpr size_t SseBytes = 16;
// Any varied content will do; an odd multiplier spreads it over all byte values.
constexpr size_t FillMultiplier = 131;
// A step reads the from and target frames and writes the front frame.
constexpr int64_t FramesStreamedPerStep = 3;
constexpr double NanosecondsPerMicrosecond = 1000.0;

struct ScreenSize {
    int32_t width;
    int32_t height;
};
constexpr ScreenSize Sizes[] = {{1024, 768}, {1920, 1080}, {3840, 2160}};

class AlignedBuffer {
public:
    explicit AlignedBuffer(size_t size, uint8_t seed)
        : size_((size + BufferAlignment - 1) / BufferAlignment * BufferAlignment),
          data_(static_cast<uint8_t*>(std::aligned_alloc(BufferAlignment, size_))) {
        for (size_t k = 0; k < size_; ++k) data_[k] = static_cast<uint8_t>(k * FillMultiplier + seed);
    }
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;
    ~AlignedBuffer() { std::free(data_); }
    uint8_t* data() const { return data_; }

private:
    size_t size_;
    uint8_t* data_;
};

// The sources are 24-bit, of which the bound reads the 32-bit frame's worth.
struct Frame {
    explicit Frame(ScreenSize size)
        : width(size.width), height(size.height), stride(RowStride32(size.width)), sourceStride(RowStride(size.width)),
          bytes(static_cast<size_t>(stride) * size.height), front(bytes, 1), from(bytes, 2), target(bytes, 3) {}
    TransitionPixels Pixels() const {
        return {front.data(), from.data(), target.data(), width, height, stride, sourceStride, sourceStride,
                0,            0,           width};
    }
    size_t PixelCount() const { return static_cast<size_t>(width) * height; }

    int32_t width, height, stride, sourceStride;
    size_t bytes;
    AlignedBuffer front, from, target;
};

__attribute__((target("avx2"))) void AverageAvx2(uint8_t* out, const uint8_t* a, const uint8_t* b, size_t count) {
    for (size_t k = 0; k + AvxBytes <= count; k += AvxBytes) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + k));
        const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + k));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), _mm256_avg_epu8(x, y));
    }
}

void AverageSse2(uint8_t* out, const uint8_t* a, const uint8_t* b, size_t count) {
    for (size_t k = 0; k + SseBytes <= count; k += SseBytes) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + k));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_avg_epu8(x, y));
    }
}

std::string Label(const char* kind, ScreenSize size) {
    return std::string(kind) + "/" + std::to_string(size.width) + "x" + std::to_string(size.height);
}

// Shared set-up of every case: a frame of the size, bytes counted as two reads and one
// write of the whole frame so the figures compare with the bound.
template <typename Step>
void RunStep(benchmark::State& state, ScreenSize size, Step step) {
    Frame frame(size);
    int32_t s = 0;
    for (auto _ : state) {
        step(frame, s);
        benchmark::ClobberMemory();
        s = (s + 1) % LastEffectStep;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FramesStreamedPerStep *
                            static_cast<int64_t>(frame.bytes));
}

// Records each case's CPU time per iteration for the summary: the machine may be shared,
// and CPU time leaves out the moments another process held the core. With repetitions
// the median stands for the case.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                times[name] = run.GetAdjustedCPUTime();
                medians[name] = true;
            } else if (run.run_type == Run::RT_Iteration && !medians[name]) {
                times[name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
    std::map<std::string, bool> medians;
};

void RegisterAll() {
    const bool avx2 = CpuHasAvx2();
    for (ScreenSize size : Sizes) {
        benchmark::RegisterBenchmark(Label("Bound", size).c_str(), [size, avx2](benchmark::State& state) {
            RunStep(state, size, [avx2](Frame& f, int32_t) {
                (avx2 ? AverageAvx2 : AverageSse2)(f.front.data(), f.from.data(), f.target.data(), f.bytes);
            });
        });
        benchmark::RegisterBenchmark(Label("Fade", size).c_str(), [size](benchmark::State& state) {
            RunStep(state, size, [](Frame& f, int32_t s) { FadeStep(f.Pixels(), s + 1); });
        });
        benchmark::RegisterBenchmark(Label("FadeSsse3", size).c_str(), [size](benchmark::State& state) {
            RunStep(state, size, [](Frame& f, int32_t s) {
                FadePixelsSsse3(f.front.data(), f.from.data(), f.target.data(), f.PixelCount(),
                                static_cast<uint32_t>(s + 1));
            });
        });
        benchmark::RegisterBenchmark(Label("Shade", size).c_str(), [size](benchmark::State& state) {
            RunStep(state, size, [](Frame& f, int32_t s) { ShadeStep(f.Pixels(), s, false); });
        });
        benchmark::RegisterBenchmark(Label("Block", size).c_str(), [size](benchmark::State& state) {
            RunStep(state, size, [](Frame& f, int32_t s) { BlockStep(f.Pixels(), s + 1); });
        });
        benchmark::RegisterBenchmark(Label("FullCopy", size).c_str(), [size](benchmark::State& state) {
            RunStep(state, size, [](Frame& f, int32_t) { CopyWholeFrame(f.Pixels()); });
        });
    }
}

void PrintSummary(const std::map<std::string, double>& times) {
    const char* kinds[] = {"Fade", "FadeSsse3", "Shade", "Block", "FullCopy"};
    std::printf("\nStep CPU time as a multiple of the bound (two reads and one write of the 32-bit frame, %s;"
                " the steps read 24-bit sources):\n",
                CpuHasAvx2() ? "AVX2" : "SSE2");
    std::printf("%-12s %10s", "size", "bound us");
    for (const char* kind : kinds) std::printf(" %9s", kind);
    std::printf("\n");
    for (ScreenSize size : Sizes) {
        const auto bound = times.find(Label("Bound", size));
        if (bound == times.end() || bound->second <= 0) continue;
        const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height);
        std::printf("%-12s %10.1f", name.c_str(), bound->second / NanosecondsPerMicrosecond);
        for (const char* kind : kinds) {
            const auto found = times.find(Label(kind, size));
            if (found == times.end()) std::printf(" %9s", "-");
            else std::printf(" %9.2f", found->second / bound->second);
        }
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RegisterAll();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter.times);
    benchmark::Shutdown();
    return 0;
}
