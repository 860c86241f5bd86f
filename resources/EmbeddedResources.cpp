#include "resources/EmbeddedResources.h"

#include <algorithm>

namespace dashcam {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::span<const EmbeddedResourceEntry> EmbeddedResources() {
    std::size_t count = 0;
    const EmbeddedResourceEntry* table = EmbeddedResourceTable(count);
    return {table, count};
}

std::optional<std::span<const unsigned char>> FindEmbeddedResource(std::string_view type,
                                                                   std::string_view name) {
    for (const EmbeddedResourceEntry& entry : EmbeddedResources()) {
        if (EqualsIgnoringAsciiCase(entry.type, type) &&
            EqualsIgnoringAsciiCase(entry.name, name)) {
            return std::span<const unsigned char>(entry.data, entry.size);
        }
    }
    return std::nullopt;
}

} // namespace dashcam
