#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace dashcam {

// One file built into the program: its type ("LANGUAGE", "PNG", "ICON"), its name and its bytes.
struct EmbeddedResourceEntry {
    const char* type;
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

// The generated table of every embedded resource.
const EmbeddedResourceEntry* EmbeddedResourceTable(std::size_t& count);

// Finds a resource by type and name, both compared ignoring ASCII case.
std::optional<std::span<const unsigned char>> FindEmbeddedResource(std::string_view type,
                                                                   std::string_view name);

// Every embedded resource, in the order of the generated table.
std::span<const EmbeddedResourceEntry> EmbeddedResources();

} // namespace dashcam
