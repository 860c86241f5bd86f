#pragma once

#include <string>
#include <vector>

#include "cli/CommandContext.h"

namespace dashcam {

// The read-only listings: show, get, and the field names for completion scripts.
class FieldListing {
public:
    explicit FieldListing(const CommandContext& context) : m_context(context) {}

    int Show(const std::string& card);
    int Get(const std::string& card, const std::vector<std::string>& names);
    // Every field name, one a line; with --json each field's role and allowed values too.
    int Fields();

private:
    const CommandContext& m_context;
};

} // namespace dashcam
