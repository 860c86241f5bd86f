#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "card/AppContext.h"
#include "settings/DeviceDescription.h"
#include "settings/SettingsMerge.h"

namespace dashcam {

// Where the start-up load took the settings record from.
enum class CardLoadSource {
    NoCard,   // no card folder was given: the record stays all zero
    Setup,    // setup.cfg
    Defaults, // setup.cfg could not be read: default.cfg restored onto the all-zero record
    None,     // neither could be read: the record stays all zero
};

struct CardLoadResult {
    CardLoadSource source = CardLoadSource::NoCard;
    std::string setupError;    // why setup.cfg could not be read
    std::string defaultsError; // why default.cfg could not be read
};

// What a save asks its caller while it runs.
struct CardSaveChoices {
    // Another program saved a different value of a field changed here: true keeps ours.
    KeepMineChoice keepMine;
    // The record's own size word left changed settings out of the file at path: true to go on
    // as saved, false to stop before the clock request.
    std::function<bool(const std::string& path, std::uint32_t written)> acceptPartial;
};

enum class CardSaveStep {
    Saved,          // setup.cfg and time.dat are on the card
    NoCard,         // no card folder: nothing was written
    SetupFailed,    // setup.cfg did not reach the card; nothing else was written
    PartialRefused, // setup.cfg was saved short and the caller stopped there
    ClockFailed,    // setup.cfg was saved, time.dat could be neither written nor deleted
};

struct CardSaveResult {
    CardSaveStep step = CardSaveStep::NoCard;
    std::string path;          // the file the step that stopped was writing
    std::string error;         // why, in plain words
    bool clockWriting = false; // time.dat was to be written (not deleted)
};

// The card's load and save sequences, shared by the window and the command line, so the bytes
// on the card do not depend on which program wrote them.
class CardSession {
public:
    explicit CardSession(AppContext& context) : m_context(context) {}

    // Start-up: an all-zero record and no clock request; then, in a card folder, time.dat,
    // lang/ver.dat and setup.cfg, falling back to the factory defaults restored onto the all-zero
    // record. What was loaded becomes the base that the next save merges over.
    CardLoadResult Load(DeviceDescription& device);
    // The factory defaults over the record in use, keeping its device-owned values.
    void RestoreDefaults();
    // setup.cfg with only this program's changes laid over what the card holds now, under the
    // card folder's lock; then time.dat as the clock request says.
    CardSaveResult Save(const CardSaveChoices& choices);

private:
    bool SaveClockRequest(CardSaveResult& result);

    AppContext& m_context;
    // The request time.dat held at the load: a pending request the card already holds is not
    // written again.
    std::optional<ClockRequest> m_loadedClock;
};

} // namespace dashcam
