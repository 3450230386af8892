// The desktop drawn from its settings, into a real section under Wine, from wallpaper files
// the tests write; and the snapshot that the ordinary desktop still gets.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/pixel_layout.h"
#include "common/process_state.h"
#include "display/display_surfaces.h"
#include "display/drawn_desktop.h"
#include "display/secure_desktop.h"
#include "images/pixel_section.h"
#include "tests/display/display_test_support.h"
#include "tests/import_redirect.h"

namespace {

constexpr int CanvasWidth = 320;
constexpr int CanvasHeight = 200;
constexpr COLORREF Background = RGB(58, 110, 165);

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void WriteFileBytes(const std::wstring& path, const void* bytes, size_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

// A 24-bit BMP file whose pixel (x, y) has the colour pixel(x, y); the whole file's bytes.
template <typename Colour>
std::vector<uint8_t> BmpBytes(int width, int height, Colour pixel) {
    const int stride = RowStride(width);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = BitsPerPixel24;
    file.bfType = 0x4d42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    std::vector<uint8_t> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bytes.data() + file.bfOffBits + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    return bytes;
}

COLORREF TilePixel(int x, int y) { return RGB(x * 30, y * 40, 200 - x * y); }

// A canvas section in the capture's layout, with the desktop drawn into it.
class Canvas {
public:
    Canvas() : dc_(CreateCompatibleDC(nullptr)) {
        bitmap_ = CreatePixelSection(dc_.get(), CanvasWidth, CanvasHeight, BitsPerPixel24, &bits_);
        selection_.Select(dc_.get(), bitmap_.get());
    }
    void Draw(WallpaperStyle style, const std::wstring& path) {
        DesktopLook look;
        look.Background = Background;
        look.Style = style;
        look.Monitors.push_back({{0, 0, CanvasWidth, CanvasHeight}, path});
        DrawDesktopLook(dc_.get(), CanvasWidth, CanvasHeight, {0, 0}, look);
    }
    COLORREF At(int x, int y) const {
        const uint8_t* p = bits_ + (CanvasHeight - 1 - y) * RowStride(CanvasWidth) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    // Pixels whose colour is not expected(x, y).
    template <typename Expected>
    int Mismatches(Expected expected) const {
        int count = 0;
        for (int y = 0; y < CanvasHeight; ++y) {
            for (int x = 0; x < CanvasWidth; ++x) count += At(x, y) != expected(x, y);
        }
        return count;
    }
    int NotBackground() const {
        return Mismatches([](int, int) { return Background; });
    }

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    uint8_t* bits_ = nullptr;
    SelectionGuard selection_;
};

HRESULT WINAPI RefuseCom(LPVOID, DWORD) { return E_OUTOFMEMORY; }

class DrawnDesktop : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> tile = BmpBytes(7, 5, TilePixel);
        WriteFileBytes(tilePath_, tile.data(), tile.size());
    }
    void TearDown() override { DeleteFileW(tilePath_.c_str()); }
    const std::wstring tilePath_ = TempFile(L"slide-tile-wallpaper");
};

// The placement arithmetic is tested on its own; here, that its result reaches the pixels,
// scaled by the imaging component where the style scales. The file has no extension, as
// the desktop's own cached copy of a wallpaper has none.
TEST_F(DrawnDesktop, WallpaperIsDrawnAsItsStylePlacesItOverTheBackgroundColour) {
    Canvas canvas;
    canvas.Draw(WallpaperStyle::Tile, tilePath_);
    EXPECT_EQ(canvas.Mismatches([](int x, int y) { return TilePixel(x % 7, y % 5); }), 0) << "tile";
    canvas.Draw(WallpaperStyle::Center, tilePath_);
    EXPECT_EQ(canvas.Mismatches([](int x, int y) {
        const bool inside = x >= 156 && x < 163 && y >= 97 && y < 102;
        return inside ? TilePixel(x - 156, y - 97) : Background;
    }), 0) << "centre";

    // One flat colour scales to itself: Fit leaves bands of the background above and below.
    const std::wstring flat = TempFile(L"slide-flat-wallpaper.bmp");
    const std::vector<uint8_t> bytes = BmpBytes(40, 10, [](int, int) { return RGB(200, 30, 60); });
    WriteFileBytes(flat, bytes.data(), bytes.size());
    canvas.Draw(WallpaperStyle::Fit, flat);
    EXPECT_EQ(canvas.Mismatches([](int, int y) { return y >= 60 && y < 140 ? RGB(200, 30, 60) : Background; }), 0)
        << "fit";
    DeleteFileW(flat.c_str());
}

// Whatever is wrong with the wallpaper, the background colour alone is drawn.
TEST_F(DrawnDesktop, UnusableWallpaperLeavesTheBackgroundColourAlone) {
    const std::vector<uint8_t> good = BmpBytes(64, 64, TilePixel);
    const std::string text = "not a picture at all\r\n";
    // A real picture of 20000 x 20000 pixels at one bit each: 50 MB that would decode.
    std::vector<uint8_t> huge(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
    auto* file = reinterpret_cast<BITMAPFILEHEADER*>(huge.data());
    auto* info = reinterpret_cast<BITMAPINFOHEADER*>(huge.data() + sizeof *file);
    constexpr int HugeSide = 20000, HugeStride = HugeSide / 8;
    info->biSize = sizeof *info;
    info->biWidth = info->biHeight = HugeSide;
    info->biPlanes = info->biBitCount = 1;
    file->bfType = 0x4d42;
    file->bfOffBits = static_cast<DWORD>(huge.size());
    file->bfSize = file->bfOffBits + HugeStride * HugeSide;
    huge.resize(file->bfSize, 0x5a);

    struct Case {
        const char* name;
        std::wstring path;
        const void* bytes;
        size_t size;
    };
    const Case cases[] = {
        {"no wallpaper", L"", nullptr, 0},
        {"missing file", TempFile(L"slide-no-such-wallpaper.jpg"), nullptr, 0},
        {"a folder", TempFile(L""), nullptr, 0},
        {"empty file", TempFile(L"slide-empty-wallpaper.jpg"), "", 0},
        {"not a picture", TempFile(L"slide-text-wallpaper.jpg"), text.data(), text.size()},
        {"truncated", TempFile(L"slide-truncated-wallpaper.bmp"), good.data(), good.size() / 2},
        {"20000 x 20000 pixels", TempFile(L"slide-huge-wallpaper.bmp"), huge.data(), huge.size()},
    };
    Canvas canvas;
    for (const Case& c : cases) {
        if (c.bytes) WriteFileBytes(c.path, c.bytes, c.size);
        canvas.Draw(WallpaperStyle::Stretch, c.path);
        EXPECT_EQ(canvas.NotBackground(), 0) << c.name;
        if (c.bytes) DeleteFileW(c.path.c_str());
    }

    // COM cannot start: the good tile is not drawn.
    void* original = RedirectImport("ole32.dll", "CoInitializeEx", reinterpret_cast<void*>(RefuseCom));
    ASSERT_NE(original, nullptr);
    canvas.Draw(WallpaperStyle::Tile, tilePath_);
    RedirectImport("ole32.dll", "CoInitializeEx", original);
    EXPECT_EQ(canvas.NotBackground(), 0) << "COM fails to start";
}

// On the ordinary desktop the full-screen saver's capture is still the screen, windows and all.
TEST(OrdinaryDesktop, FullScreenCaptureIsStillTheScreen) {
    UseDesktopHost();
    WindowedMode = 0;
    EXPECT_FALSE(RunsOnSecureSaverDesktop());
    RECT desktop;
    GetClientRect(GetDesktopWindow(), &desktop);
    PatternWindow pattern(0, 0, desktop.right, desktop.bottom);
    ASSERT_TRUE(StartDisplay(HostWindow));
    HWND window = CreateDisplayWindow(WS_POPUP, RenderWidth, RenderHeight, nullptr);
    ASSERT_TRUE(window);
    EraseWithOwnDc(window);
    ASSERT_TRUE(CaptureBits);
    const int32_t stride = RowStride(RenderWidth);
    for (int x = 50; x < RenderWidth; x += 100) {
        const uint8_t* pixel = CaptureBits + (RenderHeight / 3) * stride + x * 3;
        EXPECT_EQ(RGB(pixel[2], pixel[1], pixel[0]), PatternWindow::ColourAt(x)) << "column " << x;
    }
    DestroyWindow(window);
    StopDisplay(nullptr);
    WindowedMode = 1;
}

}  // namespace
