#include "settings/SettingsRecord.h"

#include <algorithm>
#include <cassert>

namespace dashcam {

std::uint32_t SettingsRecord::GetU32(std::size_t offset) const {
    assert(offset + 4 <= kSize);
    return std::uint32_t(m_bytes[offset]) | std::uint32_t(m_bytes[offset + 1]) << 8 |
           std::uint32_t(m_bytes[offset + 2]) << 16 | std::uint32_t(m_bytes[offset + 3]) << 24;
}

std::uint16_t SettingsRecord::GetU16(std::size_t offset) const {
    assert(offset + 2 <= kSize);
    return std::uint16_t(m_bytes[offset] | m_bytes[offset + 1] << 8);
}

void SettingsRecord::SetU32(std::size_t offset, std::uint32_t value) {
    assert(offset + 4 <= kSize);
    for (int i = 0; i < 4; ++i) {
        m_bytes[offset + i] = std::uint8_t(value >> (8 * i));
    }
}

void SettingsRecord::SetU16(std::size_t offset, std::uint16_t value) {
    assert(offset + 2 <= kSize);
    m_bytes[offset] = std::uint8_t(value);
    m_bytes[offset + 1] = std::uint8_t(value >> 8);
}

std::string SettingsRecord::GetText(std::size_t offset, std::size_t width) const {
    assert(offset + width <= kSize);
    const auto begin = m_bytes.begin() + offset;
    const auto end = std::find(begin, begin + width, std::uint8_t(0));
    return std::string(begin, end);
}

void SettingsRecord::SetText(std::size_t offset, std::size_t width, const std::string& text) {
    assert(offset + width <= kSize && text.size() <= width);
    std::fill_n(m_bytes.begin() + offset, width, std::uint8_t(0));
    std::copy(text.begin(), text.end(), m_bytes.begin() + offset);
}

std::int64_t SettingsRecord::GetNumber(const SettingsField& field) const {
    switch (field.kind) {
    case FieldKind::Int32:
        return GetI32(field.offset);
    case FieldKind::UInt32:
        return GetU32(field.offset);
    case FieldKind::UInt16:
        return GetU16(field.offset);
    case FieldKind::Text:
        break;
    }
    return 0;
}

void SettingsRecord::SetNumber(const SettingsField& field, std::int64_t value) {
    switch (field.kind) {
    case FieldKind::Int32:
    case FieldKind::UInt32:
        SetU32(field.offset, static_cast<std::uint32_t>(value));
        break;
    case FieldKind::UInt16:
        SetU16(field.offset, static_cast<std::uint16_t>(value));
        break;
    case FieldKind::Text:
        break;
    }
}

} // namespace dashcam
