// The seams behind fault_seams.h. Compiled without that header forced in, so the calls
// here reach the platform. Driven by three variables of the stress build only:
//   SLIDE_FAIL=Name:n[,Name:n...]  the n-th call of Name fails as the platform would fail it
//   SLIDE_THROW=Name:n             the n-th call of Name throws instead of returning
//   SLIDE_SEAM_LOG=path            events are appended there, one line each
#include <windows.h>
#include <mmsystem.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>

#include "tests/stress/private_bytes.h"

namespace {

enum class Ledger { GdiObject, MemoryDc, WindowDc, RegistryKey };

struct SeamState {
    std::map<std::string, int> calls;
    std::map<std::string, int> failAt;
    std::string throwName;
    int throwAt = 0;
    std::map<void*, Ledger> live;
    int unknownReleases = 0;
    HANDLE mutex = nullptr;
    FILE* log = nullptr;

    SeamState() {
        if (const char* path = std::getenv("SLIDE_SEAM_LOG")) log = std::fopen(path, "ab");
        if (const char* plan = std::getenv("SLIDE_FAIL")) ParsePlan(plan, failAt);
        if (const char* plan = std::getenv("SLIDE_THROW")) {
            std::map<std::string, int> one;
            ParsePlan(plan, one);
            if (!one.empty()) std::tie(throwName, throwAt) = *one.begin();
        }
    }
    ~SeamState() {
        Write("exit gdi=%d dc=%d windowdc=%d keys=%d unknown=%d calls=%s", Count(Ledger::GdiObject),
              Count(Ledger::MemoryDc), Count(Ledger::WindowDc), Count(Ledger::RegistryKey), unknownReleases,
              CallSummary().c_str());
        if (log) std::fclose(log);
    }

    static void ParsePlan(const char* plan, std::map<std::string, int>& into) {
        std::string text(plan);
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(',', start);
            if (end == std::string::npos) end = text.size();
            std::string item = text.substr(start, end - start);
            size_t colon = item.find(':');
            if (colon != std::string::npos) into[item.substr(0, colon)] = std::atoi(item.c_str() + colon + 1);
            start = end + 1;
        }
    }

    int Count(Ledger kind) const {
        int n = 0;
        for (const auto& entry : live) n += entry.second == kind;
        return n;
    }
    std::string CallSummary() const {
        std::string summary;
        for (const auto& [name, count] : calls) summary += name + ":" + std::to_string(count) + ",";
        return summary;
    }

    void Write(const char* format, ...) {
        if (!log) return;
        va_list args;
        va_start(args, format);
        std::vfprintf(log, format, args);
        va_end(args);
        std::fputc('\n', log);
        std::fflush(log);
    }

    // Counts the call; true when this call is the one planned to fail.
    bool Enter(const char* name) {
        int n = ++calls[name];
        if (throwAt && throwName == name && n == throwAt) {
            Write("throw %s %d", name, n);
            throw std::runtime_error(name);
        }
        auto planned = failAt.find(name);
        if (planned == failAt.end() || planned->second != n) return false;
        Write("fail %s %d", name, n);
        return true;
    }

    void Add(void* handle, Ledger kind) {
        if (handle) live[handle] = kind;
    }
    void Remove(void* handle, Ledger kind) {
        auto entry = live.find(handle);
        if (entry == live.end() || entry->second != kind) {
            ++unknownReleases;
            Write("unknown release %p", handle);
            return;
        }
        live.erase(entry);
    }
};

SeamState& State() {
    static SeamState state;
    return state;
}

}  // namespace

HDC WINAPI SeamGetDC(HWND window) {
    if (State().Enter("GetDC")) return nullptr;
    HDC dc = GetDC(window);
    State().Add(dc, Ledger::WindowDc);
    return dc;
}

int WINAPI SeamReleaseDC(HWND window, HDC dc) {
    State().Remove(dc, Ledger::WindowDc);
    return ReleaseDC(window, dc);
}

HDC WINAPI SeamCreateCompatibleDC(HDC dc) {
    if (State().Enter("CreateCompatibleDC")) return nullptr;
    HDC created = CreateCompatibleDC(dc);
    State().Add(created, Ledger::MemoryDc);
    return created;
}

BOOL WINAPI SeamDeleteDC(HDC dc) {
    State().Remove(dc, Ledger::MemoryDc);
    return DeleteDC(dc);
}

HBITMAP WINAPI SeamCreateCompatibleBitmap(HDC dc, int width, int height) {
    if (State().Enter("CreateCompatibleBitmap")) return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    State().Add(bitmap, Ledger::GdiObject);
    return bitmap;
}

HBITMAP WINAPI SeamCreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                    DWORD offset) {
    if (State().Enter("CreateDIBSection")) {
        if (bits) *bits = nullptr;
        return nullptr;
    }
    HBITMAP bitmap = CreateDIBSection(dc, info, usage, bits, section, offset);
    State().Add(bitmap, Ledger::GdiObject);
    return bitmap;
}

HBITMAP WINAPI SeamCreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
    if (State().Enter("CreateBitmap")) return nullptr;
    HBITMAP bitmap = CreateBitmap(width, height, planes, bitCount, bits);
    State().Add(bitmap, Ledger::GdiObject);
    return bitmap;
}

HPALETTE WINAPI SeamCreatePalette(const LOGPALETTE* palette) {
    if (State().Enter("CreatePalette")) return nullptr;
    HPALETTE created = CreatePalette(palette);
    State().Add(created, Ledger::GdiObject);
    return created;
}

HBRUSH WINAPI SeamCreateSolidBrush(COLORREF colour) {
    if (State().Enter("CreateSolidBrush")) return nullptr;
    HBRUSH brush = CreateSolidBrush(colour);
    State().Add(brush, Ledger::GdiObject);
    return brush;
}

HBRUSH WINAPI SeamCreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
    if (State().Enter("CreateDIBPatternBrushPt")) return nullptr;
    HBRUSH brush = CreateDIBPatternBrushPt(packedDib, usage);
    State().Add(brush, Ledger::GdiObject);
    return brush;
}

HRGN WINAPI SeamExtCreateRegion(const XFORM* transform, DWORD size, const RGNDATA* data) {
    if (State().Enter("ExtCreateRegion")) return nullptr;
    HRGN region = ExtCreateRegion(transform, size, data);
    State().Add(region, Ledger::GdiObject);
    return region;
}

BOOL WINAPI SeamDeleteObject(HGDIOBJ object) {
    State().Remove(object, Ledger::GdiObject);
    return DeleteObject(object);
}

HANDLE WINAPI SeamLoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (State().Enter("LoadImageA")) return nullptr;
    HANDLE image = LoadImageA(instance, name, type, width, height, flags);
    State().Add(image, Ledger::GdiObject);
    return image;
}

HRSRC WINAPI SeamFindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    bool isPicture = !IS_INTRESOURCE(type) && std::strcmp(type, "JPEG") == 0 && IS_INTRESOURCE(name);
    if (isPicture) {
        State().Write("picture %u private=%zu gdi=%d dc=%d windowdc=%d t=%lu screen=%dx%d",
                      static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)), PrivateBytes(),
                      State().Count(Ledger::GdiObject), State().Count(Ledger::MemoryDc),
                      State().Count(Ledger::WindowDc), static_cast<unsigned long>(timeGetTime()),
                      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }
    if (State().Enter("FindResourceA")) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return FindResourceA(module, name, type);
}

ATOM WINAPI SeamRegisterClassA(const WNDCLASSA* windowClass) {
    if (State().Enter("RegisterClassA")) return 0;
    return RegisterClassA(windowClass);
}

HWND WINAPI SeamCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                                int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    if (State().Enter("CreateWindowExA")) return nullptr;
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu, instance, param);
}

HANDLE WINAPI SeamCreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name) {
    if (State().Enter("CreateMutexA")) return nullptr;
    HANDLE mutex = CreateMutexA(attributes, initialOwner, name);
    State().mutex = mutex;
    return mutex;
}

BOOL WINAPI SeamReleaseMutex(HANDLE mutex) {
    State().Write("releasemutex");
    return ReleaseMutex(mutex);
}

BOOL WINAPI SeamCloseHandle(HANDLE handle) {
    if (handle && handle == State().mutex) State().Write("closemutex");
    return CloseHandle(handle);
}

LSTATUS WINAPI SeamRegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                   REGSAM access, const LPSECURITY_ATTRIBUTES attributes, PHKEY result,
                                   LPDWORD disposition) {
    if (State().Enter("RegCreateKeyExA")) return ERROR_ACCESS_DENIED;
    LSTATUS status = RegCreateKeyExA(key, subKey, reserved, keyClass, options, access, attributes, result, disposition);
    if (status == ERROR_SUCCESS) State().Add(*result, Ledger::RegistryKey);
    return status;
}

LSTATUS WINAPI SeamRegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    if (State().Enter("RegOpenKeyA")) return ERROR_ACCESS_DENIED;
    LSTATUS status = RegOpenKeyA(key, subKey, result);
    if (status == ERROR_SUCCESS) State().Add(*result, Ledger::RegistryKey);
    return status;
}

LSTATUS WINAPI SeamRegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    if (State().Enter("RegOpenKeyExA")) return ERROR_ACCESS_DENIED;
    LSTATUS status = RegOpenKeyExA(key, subKey, options, access, result);
    if (status == ERROR_SUCCESS) State().Add(*result, Ledger::RegistryKey);
    return status;
}

LSTATUS WINAPI SeamRegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    if (State().Enter("RegOpenKeyExW")) return ERROR_ACCESS_DENIED;
    LSTATUS status = RegOpenKeyExW(key, subKey, options, access, result);
    if (status == ERROR_SUCCESS) State().Add(*result, Ledger::RegistryKey);
    return status;
}

LSTATUS WINAPI SeamRegCloseKey(HKEY key) {
    State().Remove(key, Ledger::RegistryKey);
    return RegCloseKey(key);
}

BOOL WINAPI SeamPeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
    State().Enter("PeekMessageA");
    return PeekMessageA(message, window, first, last, remove);
}

BOOL WINAPI SeamDestroyWindow(HWND window) {
    State().Write("destroywindow visible=%d", IsWindowVisible(window) ? 1 : 0);
    return DestroyWindow(window);
}

MMRESULT WINAPI SeamTimeBeginPeriod(UINT period) {
    State().Write("timebeginperiod %u", period);
    return timeBeginPeriod(period);
}

MMRESULT WINAPI SeamTimeEndPeriod(UINT period) {
    State().Write("timeendperiod %u", period);
    return timeEndPeriod(period);
}

// The failure message is recorded and answered at once, so a run never waits on it.
int WINAPI SeamMessageBoxW(HWND, LPCWSTR text, LPCWSTR, UINT) {
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    State().Write("messagebox %s", utf8);
    return IDOK;
}

void SeamNote(const char* text) {
    State().Write("%s", text);
}
