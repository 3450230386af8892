// The time of one Advance that carries the most frames a tick can (65535, as after a night
// asleep), for each effect at 100 % on 1920 x 1080 and at 200 % on 3200 x 2400, with a hold of 0
// and the default hold. Beside it, measured in the same run, the cost of what a user sees of
// that call: one choice of a picture plus one transition frame.
//
// Usage: catch_up_bench.exe [EFFECTS]   (EFFECTS a string of 0 Fade, 1 Shade, 2 Block; all by
// default; under Wine: bench/catch_up_bench.sh WIN_BUILD_DIR)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/bench_clock.h"
#include "common/process_state.h"
#include "common/unique_handle.h"
#include "images/picture_scale.h"
#include "settings/saver_settings.h"
#include "slideshow/slideshow_scene.h"
#include "slideshow/transition_surface.h"

namespace {

constexpr uint32_t MostFramesDue = 65535;
constexpr int BoundRepetitions = 5;
constexpr const char* EffectNames[] = {"Fade", "Shade", "Block"};
constexpr COLORREF BackdropColour = RGB(30, 60, 90);

struct ScaleCase {
    int Dpi;
    int32_t Width, Height;
};
constexpr ScaleCase ScaleCases[] = {{UnscaledDpi, 1920, 1080}, {2 * UnscaledDpi, 3200, 2400}};
constexpr uint32_t Holds[] = {0, DefaultWait};


// A solid backdrop in a memory context, as the display hands the scene its dimmed desktop.
struct Backdrop {
    Backdrop(int32_t width, int32_t height) : dc(CreateCompatibleDC(nullptr)) {
        HDC screen = GetDC(nullptr);
        bitmap.reset(CreateCompatibleBitmap(screen, width, height));
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc.get(), bitmap.get());
        const RECT all{0, 0, width, height};
        SetDCBrushColor(dc.get(), BackdropColour);
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    ~Backdrop() { SelectObject(dc.get(), previous); }
    UniqueMemoryDc dc;
    UniqueBitmap bitmap;
    HGDIOBJ previous = nullptr;
};

// A scene over the whole area, composed: its first transition starts with the next frame.
std::unique_ptr<SlideshowScene> ComposedScene(const ScaleCase& scale, Backdrop& backdrop, HDC scratch) {
    std::unique_ptr<SlideshowScene> scene(new SlideshowScene());
    const RECT area{0, 0, scale.Width, scale.Height};
    scene->Open(area, 0);
    scene->ScalePicturesTo(scale.Dpi);
    scene->Attach(nullptr, area);
    ComposePending = 1;
    scene->Compose(nullptr, scratch, backdrop.dc.get());
    return scene;
}

double TimeAdvance(SlideshowScene& scene, uint32_t frames) {
    const double start = NowMs();
    scene.Advance(frames);
    GdiFlush();
    return NowMs() - start;
}

// One choice of a picture plus one frame of its transition, frame by frame with a hold of 0:
// the medians of several.
double ChoicePlusFrameMs(const ScaleCase& scale, Backdrop& backdrop, HDC scratch) {
    SaverSettings.Wait = 0;
    std::unique_ptr<SlideshowScene> scene = ComposedScene(scale, backdrop, scratch);
    std::vector<double> choices, frames;
    while (choices.size() < BoundRepetitions) {
        const bool choosing = scene->Position().StepCounter > LastTransitionStep;
        const double ms = TimeAdvance(*scene, 1);
        (choosing ? choices : frames).push_back(ms);
    }
    return Median(choices) + Median(frames);
}

}  // namespace

int main(int argc, char** argv) {
    ModuleInstance = GetModuleHandleA(nullptr);
    const char* effects = argc > 1 ? argv[1] : "012";

    std::printf("catch-up: one Advance(%u) from the start of a transition, beside one choice + one frame\n",
                MostFramesDue);
    std::printf("%-6s %-14s %5s %16s %24s %9s\n", "effect", "size", "hold", "Advance ms", "choice + frame ms", "ratio");
    for (const ScaleCase& scale : ScaleCases) {
        Backdrop backdrop(scale.Width, scale.Height);
        UniqueMemoryDc scratch(CreateCompatibleDC(nullptr));
        for (const char* e = effects; *e; ++e) {
            const uint32_t effect = static_cast<uint32_t>(*e - '0');
            if (effect > 2) continue;
            SaverSettings.FadeType = effect;
            const double bound = ChoicePlusFrameMs(scale, backdrop, scratch.get());
            for (uint32_t hold : Holds) {
                SaverSettings.Wait = hold;
                std::unique_ptr<SlideshowScene> scene = ComposedScene(scale, backdrop, scratch.get());
                const double ms = TimeAdvance(*scene, MostFramesDue);
                std::printf("%-6s %4dx%d@%d%% %5u %16.2f %24.2f %9.2f\n", EffectNames[effect], scale.Width, scale.Height,
                            scale.Dpi * 100 / UnscaledDpi, hold, ms, bound, ms / bound);
                std::fflush(stdout);
            }
        }
    }
    return EXIT_SUCCESS;
}
