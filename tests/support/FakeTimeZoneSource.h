#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/TimeZoneSource.h"

namespace dashcam::test {

// A zone catalogue the test fills, sub-key by sub-key, in enumeration order.
class FakeTimeZoneSource : public ITimeZoneSource {
public:
    using Values = std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>>;

    static std::vector<std::uint8_t> Text(std::u16string_view text) {
        std::vector<std::uint8_t> bytes;
        for (char16_t c : text) {
            bytes.push_back(std::uint8_t(c & 0xFF));
            bytes.push_back(std::uint8_t(c >> 8));
        }
        bytes.insert(bytes.end(), {0, 0});
        return bytes;
    }
    // A "TZI" value; the biases are in the catalogue's sign (UTC+9 is -540).
    static std::vector<std::uint8_t> Tzi(std::int32_t bias, std::int32_t standardBias = 0,
                                         std::int32_t daylightBias = 0) {
        std::vector<std::uint8_t> bytes(44, 0);
        const std::int32_t words[] = {bias, standardBias, daylightBias};
        for (int w = 0; w < 3; ++w) {
            for (int i = 0; i < 4; ++i) {
                bytes[4 * w + i] = std::uint8_t(static_cast<std::uint32_t>(words[w]) >> (8 * i));
            }
        }
        return bytes;
    }

    // A zone with the usual three values; Std defaults to the key name.
    void AddZone(std::u16string key, std::int32_t bias, std::u16string display = u"",
                 std::u16string std = u"", std::int32_t daylightBias = 0) {
        Values values{{u"Display", Text(display.empty() ? u"(zone) " + key : display)},
                      {u"Std", Text(std.empty() ? key : std)},
                      {u"TZI", Tzi(bias, 0, daylightBias)}};
        zones.emplace_back(std::move(key), std::move(values));
    }

    std::vector<std::u16string> SubKeyNames() override {
        std::vector<std::u16string> names;
        for (const auto& [key, values] : zones) {
            names.push_back(key);
        }
        return names;
    }
    bool ValueNames(const std::u16string& subKey, std::vector<std::u16string>& names) override {
        const Values* values = Find(subKey);
        if (values == nullptr) {
            return false;
        }
        for (const auto& [name, bytes] : *values) {
            names.push_back(name);
        }
        return true;
    }
    bool QueryValue(const std::u16string& subKey, const std::u16string& valueName,
                    std::vector<std::uint8_t>& data) override {
        const Values* values = Find(subKey);
        if (values == nullptr || unreadableValues.contains(valueName)) {
            return false;
        }
        for (const auto& [name, bytes] : *values) {
            if (name == valueName) {
                data = bytes;
                return true;
            }
        }
        return false;
    }

    std::vector<std::pair<std::u16string, Values>> zones;
    std::set<std::u16string> unopenableKeys;   // listed, but cannot be opened
    std::set<std::u16string> unreadableValues; // listed, but cannot be read

private:
    const Values* Find(const std::u16string& subKey) const {
        if (unopenableKeys.contains(subKey)) {
            return nullptr;
        }
        for (const auto& [key, values] : zones) {
            if (key == subKey) {
                return &values;
            }
        }
        return nullptr;
    }
};

} // namespace dashcam::test
