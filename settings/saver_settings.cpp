#include "settings/saver_settings.h"

SaverSettingsRecord SaverSettings;

namespace {

bool IsInRange(SettingField field, uint32_t value) {
    switch (field) {
    case SettingField::Brightness:
        return value <= MaxBrightness;
    case SettingField::FadeType:
        // A stored 0 is not taken: it is the value every process starts with anyway.
        return value == 1 || value == 2;
    case SettingField::Wait:
        return value <= MaxStoredWait;
    }
    return false;
}

uint32_t& FieldOf(SaverSettingsRecord& settings, SettingField field) {
    switch (field) {
    case SettingField::Brightness:
        return settings.Brightness;
    case SettingField::FadeType:
        return settings.FadeType;
    case SettingField::Wait:
        break;
    }
    return settings.Wait;
}

}  // namespace

bool IsStoredValueTaken(SettingField field, uint32_t typeCode, uint32_t size, uint32_t value) {
    return typeCode == StoredDwordType && size == StoredDwordSize && IsInRange(field, value);
}

bool TakeStoredValue(SaverSettingsRecord& settings, SettingField field, uint32_t typeCode, uint32_t size,
                     uint32_t value) {
    if (!IsStoredValueTaken(field, typeCode, size, value)) return false;
    FieldOf(settings, field) = value;
    return true;
}
