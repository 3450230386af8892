// Arbitrary bytes as the command line the platform hands the saver: the tail is found and
// dispatched with every platform answer scripted. The bytes sit in a buffer of exactly their
// length plus the terminator, so any read past the end is caught.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "host/command_tail.h"
#include "host/mode_dispatch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<char[]> line(new char[size + 1]);
    std::memcpy(line.get(), data, size);
    line[size] = '\0';
    const char* end = line.get() + std::strlen(line.get());

    const char* tail = ExtractCommandTail(line.get());
    if (tail < line.get() || tail > end) std::abort();

    constexpr int DialogCode = 11, SaverCode = 22, PasswordCode = 0;
    int runnersCalled = 0;
    ModeDispatchPlatform platform;
    platform.isWin9x = size % 2;
    platform.isWindow = [](WindowValue window) { return window % 7 == 3; };
    platform.foregroundWindow = [] { return WindowValue{0}; };
    platform.setModeFlags = [](int windowed, int preview) {
        if (windowed != 1 || (preview != 0 && preview != 1)) std::abort();
    };
    platform.showSettingsDialog = [&](WindowValue) { ++runnersCalled; return DialogCode; };
    platform.runSaver = [&](WindowValue host) {
        if (host != 0 && host % 7 != 3) std::abort();
        ++runnersCalled;
        return SaverCode;
    };
    platform.runChangePassword = [&](WindowValue) { ++runnersCalled; return PasswordCode; };

    int code = DispatchCommandTail(tail, platform);
    if (runnersCalled > 1) std::abort();
    if (code != 0 && code != DialogCode && code != SaverCode) std::abort();
    if (runnersCalled == 0 && code != 0) std::abort();
    ParseDecimal(tail);
    return 0;
}
