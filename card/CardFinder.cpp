#include "card/CardFinder.h"

#include <algorithm>
#include <set>

#include "card/CardFolder.h"
#include "settings/SettingsRecord.h"

namespace dashcam {
namespace {

// The card's settings record: setup.cfg, or the factory values when the camera has not
// written one yet. Nothing when neither can be read.
bool ReadCardRecord(IFileAccess& files, const std::string& folder, SettingsRecord& record) {
    const CardFolder card(folder);
    for (const std::string& path : {card.Setup(), card.Defaults()}) {
        const FileHead head = files.ReadHead(path, SettingsRecord::kSize);
        if (head.opened) {
            std::copy(head.bytes.begin(), head.bytes.end(), record.Bytes().begin());
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<FoundCard> FindCards(IMountTable& mounts, IVolumes& volumes, IFileAccess& files) {
    std::vector<FoundCard> cards;
    std::set<std::string> seen; // a volume mounted in two places is one card
    constexpr SettingsField product = Field("product_name");
    for (std::string folder : mounts.MountPoints()) {
        if (folder.empty()) {
            continue;
        }
        if (folder.back() != '/') {
            folder += '/';
        }
        SettingsRecord record;
        if (!volumes.IsRemovable(folder) || !ReadCardRecord(files, folder, record)) {
            continue;
        }
        const VolumeIdentity identity = volumes.Identify(folder);
        if (!identity.device.empty() && !seen.insert(identity.device).second) {
            continue;
        }
        cards.push_back({folder, identity.label, volumes.CapacityBytes(folder),
                         record.GetText(product.offset, product.width)});
    }
    return cards;
}

} // namespace dashcam
