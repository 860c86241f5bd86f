#include "platform/linux/QtTimeZoneSource.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include "platform/linux/WindowsZonePlacement.h"
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

QString CityOf(const QByteArray& place) {
    const QString name = QString::fromLatin1(place);
    return name.mid(name.lastIndexOf(u'/') + 1).replace(u'_', u' ');
}

// The offset and as many whole city names as fit; the id without its "Standard Time" when no
// city is known (the date line's zone has none).
QString DisplayText(const WindowsZoneRules& rules, QStringList cities) {
    cities.sort();
    cities.removeDuplicates();
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
        display += QString::fromLatin1(rules.windowsId).remove(QStringLiteral(" Standard Time"));
    }
    return display;
}

} // namespace

WindowsZonePlacement& QtTimeZoneSource::Placement() {
    if (!m_placement) {
        m_placement.emplace(QDateTime::currentDateTimeUtc());
    }
    return *m_placement;
}

const std::map<std::u16string, QtTimeZoneSource::Values>& QtTimeZoneSource::Catalogue() {
    if (m_catalogue) {
        return *m_catalogue;
    }
    WindowsZonePlacement& placement = Placement();
    // Each zone, and each place linked to it, is named under the entry that lists it.
    QHash<QByteArray, QStringList> citiesOf;
    const ZoneNameLinks& links = placement.Links();
    for (const QByteArray& zone : links.DatabaseZones()) {
        const QList<QByteArray> places = links.PlacesLinkedTo(zone) << zone;
        for (const QByteArray& place : places) {
            if (!links.IsPlace(place)) {
                continue;
            }
            const QByteArray windowsId = placement.EntryOf(place, placement.ZoneRules(zone));
            if (!windowsId.isEmpty()) {
                citiesOf[windowsId].append(CityOf(place));
            }
        }
    }
    m_catalogue.emplace();
    for (const QByteArray& windowsId : placement.WindowsIds()) {
        WindowsZoneRules rules = placement.EntryRules(windowsId);
        rules.windowsId = windowsId;
        const QString id = QString::fromLatin1(windowsId);
        (*m_catalogue)[id.toStdU16String()] = {
            {u"Display", TextValue(DisplayText(rules, citiesOf.value(windowsId)))},
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
