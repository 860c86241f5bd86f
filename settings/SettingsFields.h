#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace dashcam {

enum class FieldKind {
    Int32,  // 32-bit signed, little-endian
    UInt32, // 32-bit unsigned, little-endian
    UInt16, // 16-bit unsigned, little-endian
    Text,   // 8-bit text, NUL-padded; a text that fills its width has no terminator
};

struct SettingsField {
    std::string_view name;
    std::uint32_t offset;
    std::uint32_t width;
    FieldKind kind;
    std::string_view values;  // the values the camera understands
    std::string_view meaning; // what the field does
};

// Every named field of the 544-byte settings record. Bytes not covered here are reserved: they
// belong to the camera and pass through a load and a save unchanged.
inline constexpr std::array kSettingsFields = std::to_array<SettingsField>({
    {"record_size", 0, 4, FieldKind::UInt32, "bytes",
     "record length written by the camera; a save writes min(this, 544) bytes"},
    {"config_version", 4, 4, FieldKind::UInt32, "major << 16 | minor",
     "format version (1.2 is 0x00010002)"},
    {"product_name", 8, 16, FieldKind::Text, "text, 16 bytes", "the camera's product name"},
    {"preserved_40", 40, 4, FieldKind::Int32, "device-owned",
     "kept when the defaults are restored"},
    {"preserved_44", 44, 4, FieldKind::Int32, "device-owned",
     "kept when the defaults are restored"},
    {"preserved_48", 48, 2, FieldKind::UInt16, "device-owned",
     "kept when the defaults are restored"},
    {"front_resolution", 52, 4, FieldKind::Int32, "1 to 3", "front camera resolution"},
    {"front_brightness", 64, 4, FieldKind::Int32, "0 dark, 1, 2 light", "front camera brightness"},
    {"rear_resolution", 76, 4, FieldKind::Int32, "1 to 3", "rear camera resolution"},
    {"rear_brightness", 88, 4, FieldKind::Int32, "0 dark, 1, 2 light", "rear camera brightness"},
    {"voice_recording", 100, 4, FieldKind::Int32, "0 off, 1 on", "sound recording"},
    {"voice_guidance_enable", 108, 4, FieldKind::Int32, "0 off, 1 on", "voice guidance"},
    {"voice_volume", 112, 4, FieldKind::Int32, "1 to 3", "voice guidance volume"},
    {"safe_helper_voice", 116, 4, FieldKind::Int32, "0 off, 1 on", "road safety warning voice"},
    {"impact_sensitivity", 120, 4, FieldKind::Int32, "1 insensitive to 5 sensitive",
     "impact sensitivity in continuous recording"},
    {"event_recording", 132, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for incident recordings in continuous mode"},
    {"motion_detection", 136, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for parking-motion recordings"},
    {"event_recording_park", 140, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for incident recordings in parking mode"},
    {"manual_recording", 144, 4, FieldKind::Int32, "0 off, 1 on",
     "overwriting allowed for manual recordings"},
    {"impact_sensitivity_park", 176, 4, FieldKind::Int32, "1 insensitive to 5 sensitive",
     "impact sensitivity in parking mode"},
    {"surveillance_enable", 180, 4, FieldKind::Int32, "0 off, 1 motion recognition, 2 time lapse",
     "parking recording mode"},
    {"motion_detect_enable", 184, 4, FieldKind::Int32, "0 off, 1 on", "parking motion detection"},
    {"motion_sensitivity", 196, 4, FieldKind::Int32, "0 off, 1, 3, 5",
     "parking motion sensitivity"},
    {"stop_timer", 200, 4, FieldKind::Int32, "6, 12, 24, 48",
     "hours of parking recording before the camera stops"},
    {"stop_voltage_12v", 204, 4, FieldKind::Int32, "0 to 7 (11.6 V to 12.3 V)",
     "battery voltage at which recording stops, 12 V vehicles"},
    {"stop_voltage_24v", 208, 4, FieldKind::Int32, "0 to 7 (23.2 V to 24.6 V)",
     "battery voltage at which recording stops, 24 V vehicles"},
    {"memory_partition", 212, 4, FieldKind::Int32, "1 type A, 2 type B, 3 type C",
     "memory card partition layout"},
    {"security_led", 216, 4, FieldKind::Int32, "0 off, 1 circular, 2 blinking, 3 by recording mode",
     "security LED pattern"},
    {"preserved_224", 224, 4, FieldKind::Int32, "device-owned",
     "kept when the defaults are restored"},
    {"time_zone_offset", 372, 4, FieldKind::Int32, "minutes east of UTC",
     "offset of the camera's time zone in standard time"},
    {"daylight_saving", 376, 4, FieldKind::Int32, "0 off, 1 on", "daylight saving time"},
    {"time_zone_name", 380, 32, FieldKind::Text, "text, NUL-terminated",
     "key name of the camera's time zone"},
    {"speed_unit", 416, 4, FieldKind::Int32, "0 km/h, 1 mph", "speed unit"},
    {"lcd_brightness", 420, 4, FieldKind::Int32, "0 dark, 1, 2 bright", "screen brightness"},
    {"lcd_off", 424, 4, FieldKind::Int32, "0 never, 30000, 600000 (ms)", "screen switch-off delay"},
    {"language_index", 428, 4, FieldKind::Int32, "position in the camera's language list",
     "camera menu language"},
    {"battery_auto", 432, 4, FieldKind::Int32, "0 off, 1 on", "battery protection setting"},
    {"wdr", 436, 4, FieldKind::Int32, "0 off, 1 on", "wide dynamic range"},
    {"ldws", 440, 4, FieldKind::Int32, "derived: 1 when fcws, fvdw or ldws is on",
     "any road safety warning on; recomputed at every save"},
    {"vehicle_type", 468, 4, FieldKind::Int32, "0 sedan, 1 SUV, 2 truck or bus",
     "vehicle type for the warnings"},
    {"ldws_sensitivity_left", 472, 4, FieldKind::Int32, "0 to 2",
     "lane departure warning sensitivity, left line"},
    {"ldws_sensitivity_right", 476, 4, FieldKind::Int32, "0 to 2",
     "lane departure warning sensitivity, right line"},
    {"ldws_speed", 480, 4, FieldKind::Int32, "0 to 3 (50/60/80/100 km/h or 30/40/50/65 mph)",
     "speed from which the lane departure warning works"},
    {"fcws_enable", 484, 4, FieldKind::Int32, "0 off, 1 on", "forward collision warning"},
    {"fcws_sensitivity", 488, 4, FieldKind::Int32, "0 to 2",
     "forward collision warning sensitivity"},
    {"fvdw_enable", 492, 4, FieldKind::Int32, "0 off, 1 on", "front vehicle departure warning"},
    {"ldws_enable", 500, 4, FieldKind::Int32, "0 off, 1 on", "lane departure warning"},
    {"super_night_vision", 508, 4, FieldKind::Int32, "0 off, 1 on",
     "night vision for parking recording"},
    {"speed_stamp", 512, 4, FieldKind::Int32, "0 off, 1 on", "speed printed into the video"},
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
