#include "display/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

// Beside PixelRect's own namespace, where the test macros look for them.
static bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

static std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
    return out << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

namespace {

TEST(MonitorLayout, CoversEveryMonitorAndFindsThePrimaryInsideTheRenderArea) {
    struct Case {
        const char* name;
        std::vector<PixelRect> monitors;
        size_t primary;
        PixelRect window;
        PixelRect primaryInRender;
        bool spans;
    };
    const Case cases[] = {
        {"one monitor", {{0, 0, 1920, 1080}}, 0, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}, false},
        {"side by side, different heights",
         {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}}, 0, {0, 0, 3200, 1080}, {0, 0, 1920, 1080}, true},
        {"primary on the right", {{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}}, 1, {-1280, 0, 1920, 1080},
         {1280, 0, 3200, 1080}, true},
        {"stacked, primary below", {{0, -1080, 1920, 0}, {0, 0, 1920, 1080}}, 1, {0, -1080, 1920, 1080},
         {0, 1080, 1920, 2160}, true},
        {"stacked, primary above", {{0, 0, 1600, 1200}, {0, 1200, 1920, 2280}}, 0, {0, 0, 1920, 2280},
         {0, 0, 1600, 1200}, true},
        {"three, shorter one offset down-left", {{0, 0, 3840, 2160}, {-1920, 600, 0, 1800}, {3840, 0, 7680, 2160}},
         0, {-1920, 0, 7680, 2160}, {1920, 0, 5760, 2160}, true},
    };
    for (const Case& c : cases) {
        const MonitorLayout layout = LayOutMonitors(c.monitors.data(), c.monitors.size(), c.primary);
        EXPECT_EQ(layout.Window, c.window) << c.name;
        EXPECT_EQ(layout.RenderWidth, c.window.Right - c.window.Left) << c.name;
        EXPECT_EQ(layout.RenderHeight, c.window.Bottom - c.window.Top) << c.name;
        EXPECT_EQ(layout.Primary, c.primaryInRender) << c.name;
        EXPECT_EQ(SpansBeyondPrimary(layout), c.spans) << c.name;
    }
    const PixelRect one{0, 0, 800, 600};
    for (const MonitorLayout& empty : {LayOutMonitors(nullptr, 0, 0), LayOutMonitors(&one, 1, 1)}) {
        EXPECT_EQ(empty.RenderWidth, 0);
        EXPECT_EQ(empty.RenderHeight, 0);
        EXPECT_FALSE(SpansBeyondPrimary(empty));
    }
}

}  // namespace
