#include "settings/SettingsMerge.h"

#include <algorithm>
#include <array>

namespace dashcam {
namespace {

bool SameBytes(const SettingsRecord& a, const SettingsRecord& b, std::size_t offset,
               std::size_t width) {
    return std::equal(a.Bytes().begin() + offset, a.Bytes().begin() + offset + width,
                      b.Bytes().begin() + offset);
}

void CopyBytes(const SettingsRecord& from, SettingsRecord& to, std::size_t offset,
               std::size_t width) {
    std::copy_n(from.Bytes().begin() + offset, width, to.Bytes().begin() + offset);
}

} // namespace

SettingsRecord SettingsMerge::Merge(const SettingsRecord& card, const SettingsRecord& seen,
                                    const SettingsRecord& mine, const KeepMineChoice& keepMine) {
    SettingsRecord merged = card;
    std::array<bool, SettingsRecord::kSize> named{};
    for (const SettingsField& field : kSettingsFields) {
        std::fill_n(named.begin() + field.offset, field.width, true);
        if (SameBytes(mine, seen, field.offset, field.width)) {
            continue; // not changed here: the card's value stays
        }
        const bool changedThere = !SameBytes(card, seen, field.offset, field.width);
        if (changedThere && !SameBytes(card, mine, field.offset, field.width) &&
            !keepMine(field, mine, card)) {
            continue;
        }
        CopyBytes(mine, merged, field.offset, field.width);
    }
    // Bytes the editor has no name for change only through whole-record loads (the defaults):
    // they follow this program wherever it changed them.
    for (std::size_t i = 0; i < SettingsRecord::kSize; ++i) {
        if (!named[i] && mine.Bytes()[i] != seen.Bytes()[i]) {
            merged.Bytes()[i] = mine.Bytes()[i];
        }
    }
    return merged;
}

} // namespace dashcam
