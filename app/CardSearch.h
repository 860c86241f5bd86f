#pragma once

#include <QString>
#include <string>
#include <vector>

#include "card/AppContext.h"
#include "platform/MountTable.h"
#include "card/CardFinder.h"

namespace dashcam {

// Finds the card to edit when the editor was started without a card folder: the only card
// mounted; the one the user chooses when there are several; or, when there is none, the first
// one mounted while "Insert the memory card." waits.
class CardSearch {
public:
    CardSearch(AppContext& context, IMountTable& mounts, IMountWatch& watch)
        : m_context(context), m_mounts(mounts), m_watch(watch) {}

    // The card folder to open, ending with a separator; empty when the user gave up.
    std::string Run();

    // The language pack the desktop's own language asks for, before a card says otherwise.
    static std::u16string DesktopLanguagePack();

private:
    std::vector<FoundCard> Find();
    std::vector<FoundCard> WaitForCard();
    std::string Choose(const std::vector<FoundCard>& cards);
    QString Text(std::u16string_view key) const;

    AppContext& m_context;
    IMountTable& m_mounts;
    IMountWatch& m_watch;
};

} // namespace dashcam
