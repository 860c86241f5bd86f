#include "platform/linux/QtTimeZoneSource.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include "platform/linux/WindowsZoneRules.h"
#include "platform/linux/ZoneNameLinks.h"
#include "text/AsciiCase.h"

namespace dashcam {
namespace {

// "Display" holds at most this many characters, so it fits the readers' 512-byte buffer with
// its terminator.
constexpr qsizetype kDisplayCharacters = 255;

std::vector<std::uint8_t> TextValue(const QString& text) {
    std::vector<std::uint8_t> bytes;
    for (QChar c : text) {
        bytes.push_back(std::uint8_t(c.unicode() & 0xFF));
        bytes.push_back(std::uint8_t(c.unicode() >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

// Bias, StandardBias and DaylightBias in minutes west; both change dates zero.
std::vector<std::uint8_t> TziValue(const WindowsZoneRules& rules) {
    std::vector<std::uint8_t> bytes(44, 0);
    const std::int32_t biases[] = {-rules.standardOffsetMinutes, 0, -rules.daylightMinutes};
    for (int word = 0; word < 3; ++word) {
        const auto value = static_cast<std::uint32_t>(biases[word]);
        for (int i = 0; i < 4; ++i) {
            bytes[4 * word + i] = std::uint8_t(value >> (8 * i));
        }
    }
    return bytes;
}

QString OffsetText(int minutes) {
    const int size = minutes < 0 ? -minutes : minutes;
    return QStringLiteral("(UTC%1%2:%3) ")
        .arg(QChar(minutes < 0 ? u'-' : u'+'))
        .arg(size / 60, 2, 10, QLatin1Char('0'))
        .arg(size % 60, 2, 10, QLatin1Char('0'));
}

// The cities of the database's zones for the id under their current names, sorted; the
// fixed-offset "Etc/" zones name no city.
QStringList CitiesOf(const QByteArray& windowsId, const QSet<QByteArray>& available,
                     const ZoneNameLinks& links) {
    QStringList cities;
    for (const QByteArray& mappedId : QTimeZone::windowsIdToIanaIds(windowsId)) {
        const QByteArray ianaId = links.CurrentName(mappedId);
        if (available.contains(ianaId) && !ianaId.startsWith("Etc/")) {
            const QString id = QString::fromLatin1(ianaId);
            cities.append(id.mid(id.lastIndexOf(u'/') + 1).replace(u'_', u' '));
        }
    }
    cities.sort();
    cities.removeDuplicates();
    return cities;
}

// The offset and as many whole city names as fit; the id itself when no city is known.
QString DisplayText(const WindowsZoneRules& rules, const QStringList& cities) {
    QString display = OffsetText(rules.standardOffsetMinutes);
    const qsizetype start = display.size();
    for (const QString& city : cities) {
        const QString part = display.size() == start ? city : QStringLiteral(", ") + city;
        if (display.size() + part.size() > kDisplayCharacters) {
            break;
        }
        display += part;
    }
    if (display.size() == start) {
        display += QString::fromLatin1(rules.windowsId);
    }
    return display;
}

} // namespace

const std::map<std::u16string, QtTimeZoneSource::Values>& QtTimeZoneSource::Catalogue() {
    if (m_catalogue) {
        return *m_catalogue;
    }
    const QList<QByteArray> ianaIds = QTimeZone::availableTimeZoneIds();
    const QSet<QByteArray> available(ianaIds.begin(), ianaIds.end());
    const ZoneNameLinks links;
    QSet<QByteArray> windowsIds;
    for (const QByteArray& ianaId : ianaIds + links.DatabaseZones()) {
        const QByteArray windowsId = links.WindowsIdOf(ianaId);
        if (!windowsId.isEmpty()) {
            windowsIds.insert(windowsId);
        }
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    m_catalogue.emplace();
    for (const QByteArray& windowsId : windowsIds) {
        const QTimeZone mainZone(links.CurrentName(QTimeZone::windowsIdToDefaultIanaId(windowsId)));
        const WindowsZoneRules rules = WindowsZoneRules::Of(mainZone, windowsId, now);
        const QString id = QString::fromLatin1(windowsId);
        (*m_catalogue)[id.toStdU16String()] = {
            {u"Display", TextValue(DisplayText(rules, CitiesOf(windowsId, available, links)))},
            {u"Std", TextValue(id)},
            {u"TZI", TziValue(rules)}};
    }
    return *m_catalogue;
}

std::vector<std::u16string> QtTimeZoneSource::SubKeyNames() {
    std::vector<std::u16string> names;
    for (const auto& [name, values] : Catalogue()) {
        names.push_back(name);
    }
    return names;
}

bool QtTimeZoneSource::ValueNames(const std::u16string& subKey,
                                  std::vector<std::u16string>& names) {
    const auto zone = Catalogue().find(subKey);
    if (zone == Catalogue().end()) {
        return false;
    }
    for (const auto& [name, bytes] : zone->second) {
        names.push_back(name);
    }
    return true;
}

bool QtTimeZoneSource::QueryValue(const std::u16string& subKey, const std::u16string& valueName,
                                  std::vector<std::uint8_t>& data) {
    const auto zone = Catalogue().find(subKey);
    if (zone == Catalogue().end()) {
        return false;
    }
    for (const auto& [name, bytes] : zone->second) {
        if (EqualsIgnoringAsciiCase(name, valueName)) {
            data = bytes;
            return true;
        }
    }
    return false;
}

} // namespace dashcam
