// Whatever a query of the settings store returns (any type code, any size, any value), a
// field is replaced only by a value inside its range, and the record never leaves its ranges.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/saver_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SaverSettingsRecord settings;
    for (std::size_t at = 0; at + 13 <= size; at += 13) {
        auto field = static_cast<SettingField>(data[at] % 3);
        std::uint32_t typeCode, valueSize, value;
        std::memcpy(&typeCode, data + at + 1, 4);
        std::memcpy(&valueSize, data + at + 5, 4);
        std::memcpy(&value, data + at + 9, 4);
        bool taken = TakeStoredValue(settings, field, typeCode, valueSize, value);
        if (taken && (typeCode != StoredDwordType || valueSize > StoredDwordSize)) std::abort();
    }
    if (settings.Brightness > MaxBrightness || settings.FadeType > 2 || settings.Wait > MaxStoredWait) std::abort();
    return 0;
}
