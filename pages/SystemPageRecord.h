#pragma once

#include <functional>
#include <optional>

#include "card/AppContext.h"
#include "timezones/CTimeZoneInfoManager.h"

namespace dashcam {

// What the System page's load does to the record and the clock request, apart from its
// controls, so that it can be done before the page is made: the zone catalogue taken when
// first needed, the PC's own zone written into a record that holds none, and the clock request
// dropped.
class SystemPageRecord {
public:
    // The catalogue comes from readCatalogue (for instance one read aside) or else straight
    // from the platform's zone source.
    explicit SystemPageRecord(AppContext& context,
                              std::function<TimeZoneCatalogue()> readCatalogue = {});

    // The whole load's record part, in the page's order: the zone, then the clock request.
    void Load();
    // The zone part alone; the list content it chose is kept for the page.
    void LoadZone();
    void DropClockRequest() { m_context.clockRequest.flag = 0; }

    // The catalogue, taken (and its diagnostics written) on first use.
    CTimeZoneInfoManager& Zones();
    // What the zone list shows after the last load.
    const ZoneListContent& ZoneList() const { return m_zoneList; }

private:
    AppContext& m_context;
    std::function<TimeZoneCatalogue()> m_readCatalogue;
    std::optional<CTimeZoneInfoManager> m_zones;
    ZoneListContent m_zoneList;
};

} // namespace dashcam
