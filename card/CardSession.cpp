#include "card/CardSession.h"

#include "card/CardFolder.h"
#include "settings/ClockFile.h"

namespace dashcam {

CardLoadResult CardSession::Load(DeviceDescription& device) {
    SettingsStore& settings = m_context.settings;
    settings.CreateEmptyRecord();
    m_context.clockRequest.flag = 0;
    m_loadedClock.reset();
    CardLoadResult result;
    if (m_context.CardPath.empty()) {
        return result;
    }
    PlatformServices& platform = m_context.platform;
    const CardFolder card(m_context.CardPath);
    ClockFile(platform.files, platform.pcTimeZone)
        .ReadClockFile(card.Clock(), m_context.clockRequest);
    m_loadedClock = m_context.clockRequest;
    LoadDeviceDescription(platform.files, card.DeviceDescription(), device);
    result.source = CardLoadSource::Setup;
    if (!settings.LoadCardFile(card.Setup())) {
        // The defaults go onto the all-zero record, so the device-owned values start at zero.
        result.setupError = settings.LastError();
        result.source = settings.RestoreDefaultSettings(card.Defaults()) ? CardLoadSource::Defaults
                                                                         : CardLoadSource::None;
        if (result.source == CardLoadSource::None) {
            result.defaultsError = settings.LastError();
        }
    }
    settings.RememberCardState();
    return result;
}

void CardSession::RestoreDefaults() {
    m_context.settings.RestoreDefaultSettings(CardFolder(m_context.CardPath).Defaults());
}

CardSaveResult CardSession::Save(const CardSaveChoices& choices) {
    CardSaveResult result;
    if (m_context.CardPath.empty()) {
        return result;
    }
    SettingsStore& settings = m_context.settings;
    result.path = CardFolder(m_context.CardPath).Setup();
    if (!settings.SaveChanges(result.path, choices.keepMine)) {
        result.step = CardSaveStep::SetupFailed;
        result.error = settings.LastError();
        return result;
    }
    // The record's own size word says how much of it the file holds; settings past it would be
    // dropped without a word.
    if (settings.LastSaveLeftChangesOut() &&
        !choices.acceptPartial(result.path, settings.LastWrittenSize())) {
        result.step = CardSaveStep::PartialRefused;
        return result;
    }
    result.step = SaveClockRequest(result) ? CardSaveStep::Saved : CardSaveStep::ClockFailed;
    return result;
}

bool CardSession::SaveClockRequest(CardSaveResult& result) {
    const ClockRequest& request = m_context.clockRequest;
    result.path = CardFolder(m_context.CardPath).Clock();
    result.clockWriting = request.flag != 0;
    if (result.clockWriting && m_loadedClock == request) {
        return true; // the card holds this request already, in its own words
    }
    ClockFile clockFile(m_context.platform.files, m_context.platform.pcTimeZone);
    if (!clockFile.WriteClockFile(result.path, request)) {
        result.error = clockFile.LastError();
        return false;
    }
    return true;
}

} // namespace dashcam
