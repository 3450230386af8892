// The saver runner in the test process, with a few platform calls of this executable
// redirected through its import table so that their order can be read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/process_state.h"
#include "host/saver_runner.h"

namespace {

std::vector<std::string> Calls;

// Points this executable's import of `name` from `library` at `replacement`; returns the
// import it replaced, or null when there is none.
void* RedirectImport(const char* library, const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protection);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

MMRESULT WINAPI RecordBeginPeriod(UINT period) {
    Calls.push_back("begin period " + std::to_string(period));
    return TIMERR_NOERROR;
}
MMRESULT WINAPI RecordEndPeriod(UINT period) {
    Calls.push_back("end period " + std::to_string(period));
    return TIMERR_NOERROR;
}
BOOL WINAPI RecordParameter(UINT action, UINT value, PVOID, UINT) {
    if (action == SPI_SETSCREENSAVERRUNNING) Calls.push_back("running " + std::to_string(value));
    return TRUE;
}
// No drawing context for anyone: the display cannot start.
HDC WINAPI RefuseDc(HWND) { return nullptr; }

struct Redirect {
    const char* library;
    const char* name;
    void* replacement;
    void* original;
};

// A full-screen run on the Windows 95 family whose display cannot start still ends the
// timer resolution and lowers the running flag it raised, in that order.
TEST(SaverRunner, FailedDisplayStartStillRunsTheTeardown) {
    Redirect redirects[] = {
        {"WINMM.dll", "timeBeginPeriod", reinterpret_cast<void*>(RecordBeginPeriod), nullptr},
        {"WINMM.dll", "timeEndPeriod", reinterpret_cast<void*>(RecordEndPeriod), nullptr},
        {"USER32.dll", "SystemParametersInfoA", reinterpret_cast<void*>(RecordParameter), nullptr},
        {"USER32.dll", "GetDC", reinterpret_cast<void*>(RefuseDc), nullptr},
    };
    for (Redirect& r : redirects) {
        r.original = RedirectImport(r.library, r.name, r.replacement);
        ASSERT_NE(r.original, nullptr) << r.name;
    }
    IsWin9x = 1;
    WindowedMode = 0;
    Calls.clear();
    const int exitCode = RunSaver(nullptr);
    for (const Redirect& r : redirects) RedirectImport(r.library, r.name, r.original);

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(SaverWindow, nullptr);
    const std::vector<std::string> expected = {"running 1", "begin period 1", "end period 1", "running 0"};
    EXPECT_EQ(Calls, expected);
}

}  // namespace
