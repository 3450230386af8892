#pragma once
// One owning type per kind of platform handle. reset() releases the handle once and
// clears it, so every teardown step may run twice.
#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }

    void reset(Handle handle = Handle()) {
        if (handle_ != Handle()) Traits::Close(handle_);
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, Handle()); }

private:
    Handle handle_ = Handle();
};

struct BitmapTraits {
    using Handle = HBITMAP;
    static void Close(Handle h) { DeleteObject(h); }
};
struct BrushTraits {
    using Handle = HBRUSH;
    static void Close(Handle h) { DeleteObject(h); }
};
struct PaletteTraits {
    using Handle = HPALETTE;
    static void Close(Handle h) { DeleteObject(h); }
};
struct RegionTraits {
    using Handle = HRGN;
    static void Close(Handle h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static void Close(Handle h) { DeleteDC(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static void Close(Handle h) { FreeLibrary(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static void Close(Handle h) { RegCloseKey(h); }
};
struct KernelHandleTraits {
    using Handle = HANDLE;
    static void Close(Handle h) { CloseHandle(h); }
};
struct ResourceTraits {
    using Handle = HGLOBAL;
    static void Close(Handle h) { FreeResource(h); }
};

struct PowerNotifyTraits {
    using Handle = HPOWERNOTIFY;
    static void Close(Handle h) { UnregisterPowerSettingNotification(h); }
};

using UniqueBitmap = UniqueHandle<BitmapTraits>;
using UniqueBrush = UniqueHandle<BrushTraits>;
using UniquePalette = UniqueHandle<PaletteTraits>;
using UniqueRegion = UniqueHandle<RegionTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueResource = UniqueHandle<ResourceTraits>;
using UniquePowerNotify = UniqueHandle<PowerNotifyTraits>;

// A window's drawing context, owned together with its window because giving it back
// takes ReleaseDC(window, dc).
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { release(); }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    // Returns the platform's answer, which some callers test.
    int release() {
        if (!dc_) return 1;
        int result = ReleaseDC(window_, dc_);
        dc_ = nullptr;
        return result;
    }

private:
    HWND window_;
    HDC dc_;
};

// Remembers what a selection into a drawing context displaced, an object through
// SelectObject or a palette through SelectPalette, and selects it back once: on reset() or
// when the guard goes. A failed select displaced nothing, so nothing is selected back.
class SelectionGuard {
public:
    SelectionGuard() = default;
    SelectionGuard(HDC dc, HGDIOBJ object) { Select(dc, object); }
    SelectionGuard(HDC dc, HPALETTE palette) { Select(dc, palette); }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    ~SelectionGuard() { reset(); }

    // Each gives back what an earlier selection displaced first.
    void Select(HDC dc, HGDIOBJ object) {
        reset();
        HGDIOBJ previous = dc ? SelectObject(dc, object) : nullptr;
        if (previous != HGDI_ERROR) Keep(dc, previous, false);
    }
    void Select(HDC dc, HPALETTE palette) {
        reset();
        Keep(dc, dc ? SelectPalette(dc, palette, FALSE) : nullptr, true);
    }

    explicit operator bool() const { return previous_ != nullptr; }

    void reset() { reset(dc_); }
    // A window's common context is a new one each time it is fetched, so what was displaced
    // from one goes back into the one at hand; without a context it is only forgotten. A
    // palette goes back in the background when forceBackground is TRUE, as SelectPalette's.
    void reset(HDC dc, BOOL forceBackground = FALSE) {
        if (dc && previous_) {
            if (isPalette_) SelectPalette(dc, static_cast<HPALETTE>(previous_), forceBackground);
            else SelectObject(dc, previous_);
        }
        Keep(nullptr, nullptr, false);
    }

private:
    void Keep(HDC dc, HGDIOBJ previous, bool isPalette) {
        dc_ = previous ? dc : nullptr;
        previous_ = previous;
        isPalette_ = isPalette;
    }

    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    bool isPalette_ = false;
};
