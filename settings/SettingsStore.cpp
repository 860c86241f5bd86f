#include "settings/SettingsStore.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "settings/SettingsDiagnostics.h"
#include "text/Utf.h"

namespace dashcam {

SettingsStore::SettingsStore(IDebugOutput& debug, IFileAccess& files, IPrompt& prompt)
    : m_debug(debug), m_files(files), m_prompt(prompt) {}

void SettingsStore::CreateEmptyRecord() {
    FinishDeferred();
    m_record = std::make_unique<SettingsRecord>();
}

void SettingsStore::ReleaseRecord() {
    FinishDeferred();
    m_record.reset();
}

void SettingsStore::DeferUntilUsed(std::function<void()> work, std::vector<SettingsField> writes) {
    m_deferred = std::move(work);
    m_deferredWrites = std::move(writes);
}

std::int32_t SettingsStore::ReadI32(std::size_t offset) const {
    const bool owed = std::ranges::any_of(m_deferredWrites, [offset](const SettingsField& field) {
        return offset < field.offset + field.width && field.offset < offset + 4;
    });
    if (owed) {
        FinishDeferred();
    }
    return m_record->GetI32(offset);
}

void SettingsStore::FinishDeferred() const {
    // Taken out first: the work itself reads the record through Current().
    if (const std::function<void()> work = std::exchange(m_deferred, nullptr)) {
        work();
    }
}

bool SettingsStore::LoadSettingsFile(const std::string& path) {
    // Only the record's own 544 bytes are read, whatever the file's size: a huge or endless
    // file must not be pulled into memory.
    FinishDeferred();
    FileHead head = m_files.ReadHead(path, SettingsRecord::kSize);
    if (!head.opened) {
        m_lastError = head.error;
        m_debug.Write(u"Warning Driscope Setting not found !\n");
        return false;
    }
    const auto length = static_cast<std::uint32_t>(head.length);
    auto record = std::make_unique<SettingsRecord>();
    std::copy_n(head.bytes.begin(), std::min(head.bytes.size(), SettingsRecord::kSize),
                record->Bytes().begin());
    m_record = std::move(record);

    m_debug.Write(u"\n\nDriscope Setting loading...\n");
    m_debug.Write(SettingsDiagnostics::LoadSummary(*m_record, length));
    if (length > SettingsRecord::kSize) {
        m_debug.Write(u"Warning config version seems to be higher than 1.2 or invalid !\n");
    }
    if (length != m_record->GetU32(OffsetOf("record_size"))) {
        m_debug.Write(u"Warning file length differs  from the checksum !\n");
    }
    return true;
}

void SettingsStore::UpdateDerivedFlag() {
    SettingsRecord& r = *m_record;
    const bool anyWarning = r.GetU32(OffsetOf("fcws_enable")) != 0 ||
                            r.GetU32(OffsetOf("fvdw_enable")) != 0 ||
                            r.GetU32(OffsetOf("ldws_enable")) != 0;
    r.SetU32(OffsetOf("ldws"), anyWarning ? 1 : 0);
}

bool SettingsStore::SaveSettingsFile(const std::string& path) {
    FinishDeferred();
    UpdateDerivedFlag();
    m_writtenSize = 0;
    m_leftOut = false;
    const std::uint32_t sizeWord = m_record->GetU32(OffsetOf("record_size"));
    const std::uint32_t n = std::min<std::uint32_t>(sizeWord, SettingsRecord::kSize);
    WriteOutcome outcome = m_files.ReplaceStart(path, m_record->Bytes().first(n));
    if (!outcome.opened) {
        m_lastError = outcome.error;
        m_debug.Write(u"\n\nDriscope Setting fail to save\n");
        return false;
    }
    m_debug.Write(u"\n\nDriscope Setting saving...\n");
    if (!outcome.written) {
        // The file was opened but the bytes did not all reach the card: that is no save.
        m_lastError = outcome.error;
        m_debug.Write(u"\n\nDriscope Setting fail to save\n");
        return false;
    }
    m_debug.Write(SettingsDiagnostics::SaveSummary(*m_record, n));
    for (const std::u16string& line : SettingsDiagnostics::FieldDump(*m_record)) {
        m_debug.Write(line);
    }
    m_writtenSize = n;
    m_leftOut = FileLacksRecordPast(path, n);
    return true;
}

void SettingsStore::RememberCardState() {
    FinishDeferred();
    m_seen = *m_record;
}

std::optional<SettingsRecord> SettingsStore::ReadRecord(const std::string& path) {
    const FileHead head = m_files.ReadHead(path, SettingsRecord::kSize);
    if (!head.opened) {
        return std::nullopt;
    }
    SettingsRecord record;
    std::copy(head.bytes.begin(), head.bytes.end(), record.Bytes().begin());
    return record;
}

std::unique_ptr<IFileLock> SettingsStore::LockFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    // Readers take the lock alone too: a FAT card through FUSE answers wrongly (a missing or
    // all-zero file) when two programs read it at the same time. Without the lock (a folder
    // that is gone) the load or save itself reports what is wrong.
    std::string error;
    return m_files.LockFolder(folder.string(), true, error);
}

bool SettingsStore::LoadCardFile(const std::string& path) {
    const std::unique_ptr<IFileLock> lock = LockFolderOf(path);
    return LoadSettingsFile(path);
}

namespace {

std::vector<std::uint8_t> ValueOf(const SettingsRecord& record, const SettingsField& field) {
    const auto begin = record.Bytes().begin() + field.offset;
    return {begin, begin + field.width};
}

} // namespace

bool SettingsStore::SaveChanges(const std::string& path, const KeepMineChoice& keepMine) {
    // A question waits for the driver, and no other program's save may wait with it: the
    // answers are gathered without the lock and the merge is done again under it. An answer
    // holds while the card keeps the value it was given for; a field changed once more
    // meanwhile is asked about again.
    FinishDeferred();
    std::map<std::size_t, std::pair<std::vector<std::uint8_t>, bool>> answers;
    for (;;) {
        std::unique_ptr<IFileLock> lock = LockFolderOf(path);
        const std::optional<SettingsRecord> card =
            m_seen ? ReadRecord(path) : std::optional<SettingsRecord>();
        if (card) {
            std::vector<const SettingsField*> unanswered;
            const auto answered = [&](const SettingsField& field, const SettingsRecord&,
                                      const SettingsRecord& onCard) {
                const auto it = answers.find(field.offset);
                if (it != answers.end() && it->second.first == ValueOf(onCard, field)) {
                    return it->second.second;
                }
                unanswered.push_back(&field);
                return true;
            };
            const SettingsRecord merged = SettingsMerge::Merge(*card, *m_seen, *m_record, answered);
            if (!unanswered.empty()) {
                lock.reset();
                for (const SettingsField* field : unanswered) {
                    answers[field->offset] = {ValueOf(*card, *field),
                                              keepMine(*field, *m_record, *card)};
                }
                continue;
            }
            *m_record = merged;
        }
        if (!SaveSettingsFile(path)) {
            return false;
        }
        m_seen = ReadRecord(path).value_or(*m_record);
        return true;
    }
}

bool SettingsStore::FileLacksRecordPast(const std::string& path, std::uint32_t written) {
    if (written >= SettingsRecord::kSize) {
        return false;
    }
    // Past the size word the file keeps what it held, which may not be what the user set there.
    // A byte past the file's end counts as the zero a short file loads as.
    const std::optional<SettingsRecord> card = ReadRecord(path);
    return !card || !std::equal(m_record->Bytes().begin() + written, m_record->Bytes().end(),
                                card->Bytes().begin() + written);
}

bool SettingsStore::RestoreDefaultSettings(const std::string& path) {
    FinishDeferred();
    const std::int32_t kept40 = m_record->GetI32(OffsetOf("preserved_40"));
    const std::int32_t kept44 = m_record->GetI32(OffsetOf("preserved_44"));
    const std::uint16_t kept48 = m_record->GetU16(OffsetOf("preserved_48"));
    const std::int32_t kept224 = m_record->GetI32(OffsetOf("preserved_224"));

    const bool loaded = LoadSettingsFile(path);
    if (!loaded) {
        m_prompt.ShowMessage(u"no default.cfg :" + Utf16FromUtf8(path));
    }
    SettingsRecord& r = *m_record;
    r.SetI32(OffsetOf("preserved_40"), kept40);
    r.SetI32(OffsetOf("preserved_44"), kept44);
    r.SetU16(OffsetOf("preserved_48"), kept48);
    r.SetI32(OffsetOf("preserved_224"), kept224);
    return loaded;
}

} // namespace dashcam
