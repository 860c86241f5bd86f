#include "pages/SystemPageRecord.h"

#include <utility>

namespace dashcam {

SystemPageRecord::SystemPageRecord(AppContext& context,
                                   std::function<TimeZoneCatalogue()> readCatalogue)
    : m_context(context), m_readCatalogue(std::move(readCatalogue)) {}

CTimeZoneInfoManager& SystemPageRecord::Zones() {
    if (!m_zones) {
        PlatformServices& platform = m_context.platform;
        m_zones.emplace(m_readCatalogue ? m_readCatalogue()
                                        : CTimeZoneInfoManager::Read(platform.timeZones),
                        platform.pcTimeZone, platform.debug);
    }
    return *m_zones;
}

void SystemPageRecord::LoadZone() {
    CTimeZoneInfoManager& zones = Zones();
    m_zoneList = zones.LoadFromRecord(m_context.settings.Current());
}

void SystemPageRecord::Load() {
    LoadZone();
    DropClockRequest();
}

} // namespace dashcam
