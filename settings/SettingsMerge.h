#pragma once

#include <functional>

#include "settings/SettingsRecord.h"

namespace dashcam {

// Asked for a field that both this program and another one changed, to different values;
// true keeps this program's value, false the one on the card.
using KeepMineChoice = std::function<bool(const SettingsField& field, const SettingsRecord& mine,
                                          const SettingsRecord& card)>;

// Lays the changes one program made to a record over what the card holds now, so that values
// another program saved meanwhile survive. A change is a field (or, outside the named fields, a
// byte) whose value differs from the record as this program last saw it on the card.
class SettingsMerge {
public:
    static SettingsRecord Merge(const SettingsRecord& card, const SettingsRecord& seen,
                                const SettingsRecord& mine, const KeepMineChoice& keepMine);
};

} // namespace dashcam
