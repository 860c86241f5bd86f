#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <string_view>

namespace dashcam {

enum class FieldKind {
    Int32,  // 32-bit signed, little-endian
    UInt32, // 32-bit unsigned, little-endian
    UInt16, // 16-bit unsigned, little-endian
    Text,   // 8-bit text, NUL-padded; a text that fills its width has no terminator
};

// Who decides a field's value.
enum class FieldRole {
    UserSetting, // chosen by the driver
    Derived,     // computed from other fields at every save
    DeviceOwned, // the camera's own; carried, never edited
    Identity,    // names the record and the camera
};

inline constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The values a field may hold: every value from `minimum` to `maximum`, or only the first
// `count` values of `list`. The pages store only allowed values but show any stored one.
struct ValueRule {
    std::int32_t minimum = std::numeric_limits<std::int32_t>::min();
    std::int32_t maximum = kInt32Max;
    std::array<std::int32_t, 4> list{};
    std::size_t count = 0; // 0 for a range

    constexpr bool IsList() const { return count != 0; }
    constexpr std::span<const std::int32_t> Values() const { return {list.data(), count}; }
    constexpr bool Allows(std::int32_t value) const {
        return IsList() ? IndexOf(value) != static_cast<int>(count)
                        : value >= minimum && value <= maximum;
    }
    // The position of a listed value, or `count` for a value not in the list.
    constexpr int IndexOf(std::int32_t value) const {
        return static_cast<int>(std::find(list.begin(), list.begin() + count, value) -
                                list.begin());
    }
    // The listed value at a position; positions outside the list take the nearest end.
    constexpr std::int32_t At(int index) const {
        return list[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(count) - 1))];
    }
};

constexpr ValueRule AnyValue() {
    return {};
}
constexpr ValueRule Between(std::int32_t minimum, std::int32_t maximum) {
    return {minimum, maximum};
}
constexpr ValueRule OneOf(std::initializer_list<std::int32_t> values) {
    ValueRule rule;
    std::copy(values.begin(), values.end(), rule.list.begin());
    rule.count = values.size();
    rule.minimum = std::min(values);
    rule.maximum = std::max(values);
    return rule;
}
inline constexpr ValueRule kSwitch = Between(0, 1);

// What a stored step means in volts: `first` for step 0, then `step` more for each step.
struct VoltScale {
    double first = 0;
    double step = 0;

    constexpr double At(int index) const { return first + step * index; }
};

struct SettingsField {
    std::string_view name;
    std::uint32_t offset;
    std::uint32_t width;
    FieldKind kind;
    std::string_view values;  // the values the camera understands, and what each means
    std::string_view meaning; // what the field does
    FieldRole role;
    ValueRule allowed;
    VoltScale volts{}; // for the stop voltages only
};

// Every named field of the 544-byte settings record. Bytes not covered here are reserved: they
// belong to the camera and pass through a load and a save unchanged.
inline constexpr std::array kSettingsFields = std::to_array<SettingsField>({
    {"record_size", 0, 4, FieldKind::UInt32, "bytes",
     "record length written by the camera; a save writes min(this, 544) bytes", FieldRole::Identity,
     AnyValue()},
    {"config_version", 4, 4, FieldKind::UInt32, "major << 16 | minor",
     "format version (1.2 is 0x00010002)", FieldRole::Identity, AnyValue()},
    {"product_name", 8, 16, FieldKind::Text, "text, 16 bytes", "the camera's product name",
     FieldRole::Identity, AnyValue()},
    {"preserved_40", 40, 4, FieldKind::Int32, "device-owned", "kept when the defaults are restored",
     FieldRole::DeviceOwned, AnyValue()},
    {"preserved_44", 44, 4, FieldKind::Int32, "device-owned", "kept when the defaults are restored",
     FieldRole::DeviceOwned, AnyValue()},
    {"preserved_48", 48, 2, FieldKind::UInt16, "device-owned",
     "kept when the defaults are restored", FieldRole::DeviceOwned, AnyValue()},
    {"front_resolution", 52, 4, FieldKind::Int32, "1 to 3", "front camera resolution",
     FieldRole::UserSetting, Between(1, 3)},
    {"front_brightness", 64, 4, FieldKind::Int32, "0 dark, 1, 2 light", "front camera brightness",
     FieldRole::UserSetting, Between(0, 2)},
    {"rear_resolution", 76, 4, FieldKind::Int32, "1 to 3", "rear camera resolution",
     FieldRole::UserSetting, Between(1, 3)},
    {"rear_brightness", 88, 4, FieldKind::Int32, "0 dark, 1, 2 light", "rear camera brightness",
     FieldRole::UserSetting, Between(0, 2)},
    {"voice_recording", 100, 4, FieldKind::Int32, "0 off, 1 on", "sound recording",
     FieldRole::UserSetting, kSwitch},
    {"voice_guidance_enable", 108, 4, FieldKind::Int32, "0 off, 1 on", "voice guidance",
     FieldRole::UserSetting, kSwitch},
    {"voice_volume", 112, 4, FieldKind::Int32, "1 to 3", "voice guidance volume",
     FieldRole::UserSetting, Between(1, 3)},
    {"safe_helper_voice", 116, 4, FieldKind::Int32, "0 off, 1 on", "road safety warning voice",
     FieldRole::UserSetting, kSwitch},
    {"impact_sensitivity", 120, 4, FieldKind::Int32, "1 insensitive to 5 sensitive",
     "impact sensitivity in continuous recording", FieldRole::UserSetting, Between(1, 5)},
    {"event_recording", 132, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for incident recordings in continuous mode", FieldRole::UserSetting,
     kSwitch},
    {"motion_detection", 136, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for parking-motion recordings", FieldRole::UserSetting, kSwitch},
    {"event_recording_park", 140, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for incident recordings in parking mode", FieldRole::UserSetting,
     kSwitch},
    {"manual_recording", 144, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for manual recordings", FieldRole::UserSetting, kSwitch},
    {"impact_sensitivity_park", 176, 4, FieldKind::Int32, "1 insensitive to 5 sensitive",
     "impact sensitivity in parking mode", FieldRole::UserSetting, Between(1, 5)},
    {"surveillance_enable", 180, 4, FieldKind::Int32, "0 off, 1 motion recognition, 2 time lapse",
     "parking recording mode", FieldRole::UserSetting, Between(0, 2)},
    {"motion_detect_enable", 184, 4, FieldKind::Int32, "0 off, 1 on", "parking motion detection",
     FieldRole::UserSetting, kSwitch},
    {"motion_sensitivity", 196, 4, FieldKind::Int32, "0 off, 1, 3, 5", "parking motion sensitivity",
     FieldRole::UserSetting, OneOf({0, 1, 3, 5})},
    {"stop_timer", 200, 4, FieldKind::Int32, "6, 12, 24, 48",
     "hours of parking recording before the camera stops", FieldRole::UserSetting,
     OneOf({6, 12, 24, 48})},
    {"stop_voltage_12v", 204, 4, FieldKind::Int32, "0 to 7 (11.6 V to 12.3 V)",
     "battery voltage at which recording stops, 12 V vehicles", FieldRole::UserSetting,
     Between(0, 7), VoltScale{11.6, 0.1}},
    {"stop_voltage_24v", 208, 4, FieldKind::Int32, "0 to 7 (23.2 V to 24.6 V)",
     "battery voltage at which recording stops, 24 V vehicles", FieldRole::UserSetting,
     Between(0, 7), VoltScale{23.2, 0.2}},
    {"memory_partition", 212, 4, FieldKind::Int32, "1 type A, 2 type B, 3 type C",
     "memory card partition layout", FieldRole::UserSetting, Between(1, 3)},
    {"security_led", 216, 4, FieldKind::Int32, "0 off, 1 circular, 2 blinking, 3 by recording mode",
     "security LED pattern", FieldRole::UserSetting, Between(0, 3)},
    {"preserved_224", 224, 4, FieldKind::Int32, "device-owned",
     "kept when the defaults are restored", FieldRole::DeviceOwned, AnyValue()},
    {"time_zone_offset", 372, 4, FieldKind::Int32, "minutes east of UTC",
     "offset of the camera's time zone in standard time", FieldRole::UserSetting, AnyValue()},
    {"daylight_saving", 376, 4, FieldKind::Int32, "0 off, 1 on", "daylight saving time",
     FieldRole::UserSetting, kSwitch},
    {"time_zone_name", 380, 32, FieldKind::Text, "text, NUL-terminated",
     "key name of the camera's time zone", FieldRole::UserSetting, AnyValue()},
    {"speed_unit", 416, 4, FieldKind::Int32, "0 km/h, 1 mph", "speed unit", FieldRole::UserSetting,
     kSwitch},
    {"lcd_brightness", 420, 4, FieldKind::Int32, "0 dark, 1, 2 bright", "screen brightness",
     FieldRole::UserSetting, Between(0, 2)},
    {"lcd_off", 424, 4, FieldKind::Int32, "0 never, 30000, 600000 (ms)", "screen switch-off delay",
     FieldRole::UserSetting, OneOf({0, 30000, 600000})},
    {"language_index", 428, 4, FieldKind::Int32, "position in the camera's language list",
     "camera menu language", FieldRole::UserSetting, Between(0, kInt32Max)},
    {"battery_auto", 432, 4, FieldKind::Int32, "0 off, 1 on", "battery protection setting",
     FieldRole::UserSetting, kSwitch},
    {"wdr", 436, 4, FieldKind::Int32, "0 off, 1 on", "wide dynamic range", FieldRole::UserSetting,
     kSwitch},
    {"ldws", 440, 4, FieldKind::Int32, "derived: 1 when fcws, fvdw or ldws is on",
     "any road safety warning on; recomputed at every save", FieldRole::Derived, kSwitch},
    {"vehicle_type", 468, 4, FieldKind::Int32, "0 sedan, 1 SUV, 2 truck or bus",
     "vehicle type for the warnings", FieldRole::UserSetting, Between(0, 2)},
    {"ldws_sensitivity_left", 472, 4, FieldKind::Int32, "0 to 2",
     "lane departure warning sensitivity, left line", FieldRole::UserSetting, Between(0, 2)},
    {"ldws_sensitivity_right", 476, 4, FieldKind::Int32, "0 to 2",
     "lane departure warning sensitivity, right line", FieldRole::UserSetting, Between(0, 2)},
    {"ldws_speed", 480, 4, FieldKind::Int32, "0 to 3 (50/60/80/100 km/h or 30/40/50/65 mph)",
     "speed from which the lane departure warning works", FieldRole::UserSetting, Between(0, 3)},
    {"fcws_enable", 484, 4, FieldKind::Int32, "0 off, 1 on", "forward collision warning",
     FieldRole::UserSetting, kSwitch},
    {"fcws_sensitivity", 488, 4, FieldKind::Int32, "0 to 2",
     "forward collision warning sensitivity", FieldRole::UserSetting, Between(0, 2)},
    {"fvdw_enable", 492, 4, FieldKind::Int32, "0 off, 1 on", "front vehicle departure warning",
     FieldRole::UserSetting, kSwitch},
    {"ldws_enable", 500, 4, FieldKind::Int32, "0 off, 1 on", "lane departure warning",
     FieldRole::UserSetting, kSwitch},
    {"super_night_vision", 508, 4, FieldKind::Int32, "0 off, 1 on",
     "night vision for parking recording", FieldRole::UserSetting, kSwitch},
    {"speed_stamp", 512, 4, FieldKind::Int32, "0 off, 1 on", "speed printed into the video",
     FieldRole::UserSetting, kSwitch},
});

// The field of a name; a name that is not in the table does not compile.
consteval const SettingsField& Field(std::string_view name) {
    for (const SettingsField& field : kSettingsFields) {
        if (field.name == name) {
            return field;
        }
    }
    throw "no settings field of that name";
}

consteval std::uint32_t OffsetOf(std::string_view name) {
    return Field(name).offset;
}

// Run-time lookup by name, for the command-line editor; null for an unknown name.
const SettingsField* FindSettingsField(std::string_view name);

} // namespace dashcam
