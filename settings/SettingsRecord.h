#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "settings/SettingsFields.h"

namespace dashcam {

// The camera's 544-byte settings record. Fields are read and written in place by offset, in
// little-endian order, so every byte the editor does not understand stays as it was loaded.
class SettingsRecord {
public:
    static constexpr std::size_t kSize = 544;

    SettingsRecord() { m_bytes.fill(0); }

    std::span<const std::uint8_t, kSize> Bytes() const { return m_bytes; }
    std::span<std::uint8_t, kSize> Bytes() { return m_bytes; }

    std::uint32_t GetU32(std::size_t offset) const;
    std::int32_t GetI32(std::size_t offset) const {
        return static_cast<std::int32_t>(GetU32(offset));
    }
    std::uint16_t GetU16(std::size_t offset) const;
    void SetU32(std::size_t offset, std::uint32_t value);
    void SetI32(std::size_t offset, std::int32_t value) {
        SetU32(offset, static_cast<std::uint32_t>(value));
    }
    void SetU16(std::size_t offset, std::uint16_t value);

    // The bytes of a text field up to its first NUL (all of them when it has none).
    std::string GetText(std::size_t offset, std::size_t width) const;
    // Stores text NUL-padded to the width; the caller keeps it within the width.
    void SetText(std::size_t offset, std::size_t width, const std::string& text);

    // A numeric field's value widened to 64 bits (unsigned kinds stay non-negative).
    std::int64_t GetNumber(const SettingsField& field) const;
    void SetNumber(const SettingsField& field, std::int64_t value);

private:
    std::array<std::uint8_t, kSize> m_bytes;
};

} // namespace dashcam
