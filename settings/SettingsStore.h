#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DebugOutput.h"
#include "platform/FileAccess.h"
#include "platform/Prompt.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsMerge.h"
#include "settings/SettingsRecord.h"

namespace dashcam {

// Owns the one current settings record and moves it between memory and the settings files.
// Every load replaces the whole record, so callers reach it through Current() each time and
// keep no reference into it across a load.
class SettingsStore {
public:
    SettingsStore(IDebugOutput& debug, IFileAccess& files, IPrompt& prompt);

    bool HasRecord() const { return m_record != nullptr; }
    SettingsRecord& Current() {
        FinishDeferred();
        return *m_record;
    }
    const SettingsRecord& Current() const {
        FinishDeferred();
        return *m_record;
    }
    // Replaces the current record by one of 544 zero bytes.
    void CreateEmptyRecord();
    void ReleaseRecord();

    // One 32-bit field of the current record. Owed work (below) is finished first only when it
    // may write that field, so that showing other fields never waits for it.
    std::int32_t ReadI32(std::size_t offset) const;

    // Work a load still owes the record (a page's load done after the window shows), writing
    // only the given fields: it is done before the record is next reached through Current(),
    // one of those fields is read, or the record is saved, replaced or released, or when
    // FinishDeferred is called, whichever comes first. The work reaches the record through
    // Current().
    void DeferUntilUsed(std::function<void()> work, std::vector<SettingsField> writes);
    // Const because the owed work only completes the load that made the record.
    void FinishDeferred() const;

    // Makes the file's first 544 bytes the current record; false (record unchanged) when the
    // file cannot be opened.
    bool LoadSettingsFile(const std::string& path);
    // LoadSettingsFile under the card folder's lock, so that no other program's save is halfway.
    bool LoadCardFile(const std::string& path);
    // Recomputes the derived warning flag, then rewrites the start of the file in place; false
    // when the file cannot be opened or not every byte reached the device.
    bool SaveSettingsFile(const std::string& path);
    // Takes the current record as what the card holds, the base that SaveChanges compares with.
    void RememberCardState();
    // Saves under the card folder's lock: re-reads the file and writes only the fields changed
    // since RememberCardState over its current content, asking keepMine where another program
    // changed the same field (with the lock released while it asks). Then the saved record
    // becomes the remembered one.
    bool SaveChanges(const std::string& path, const KeepMineChoice& keepMine);
    // Loads the factory defaults file, keeping the device-owned values of the record in use;
    // false, after telling the user, when it cannot be opened (the record stays as it was).
    bool RestoreDefaultSettings(const std::string& defaultsPath);

    // Why the last failed load or save failed, in plain words.
    const std::string& LastError() const { return m_lastError; }
    // How many bytes the last successful save wrote, and whether the record holds values past
    // them that the file does not: settings the user sees that are not on the card.
    std::uint32_t LastWrittenSize() const { return m_writtenSize; }
    bool LastSaveLeftChangesOut() const { return m_leftOut; }

private:
    void UpdateDerivedFlag();
    bool FileLacksRecordPast(const std::string& path, std::uint32_t written);
    std::optional<SettingsRecord> ReadRecord(const std::string& path);
    std::unique_ptr<IFileLock> LockFolderOf(const std::string& path);

    IDebugOutput& m_debug;
    IFileAccess& m_files;
    IPrompt& m_prompt;
    std::unique_ptr<SettingsRecord> m_record;
    mutable std::function<void()> m_deferred;
    std::vector<SettingsField> m_deferredWrites;
    std::optional<SettingsRecord> m_seen; // the card's record as this program last saw it
    std::string m_lastError;
    std::uint32_t m_writtenSize = 0;
    bool m_leftOut = false;
};

} // namespace dashcam
