#include "app/QtStandardTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <array>

namespace dashcam {

namespace {

struct PackLocale {
    std::u16string_view pack;
    const char* locale;
};

// The packs' Portuguese is Brazil's ("Câmera"), as is the one Portuguese Qt translation.
constexpr std::array<PackLocale, 11> kPackLocales{{
    {u"ENGLISH", "en_US"},
    {u"KOREAN", "ko_KR"},
    {u"JAPANESE", "ja_JP"},
    {u"CHINESESIMPLIFIED", "zh_CN"},
    {u"CHINESETRADITIONAL", "zh_TW"},
    {u"FRENCH", "fr_FR"},
    {u"GERMAN", "de_DE"},
    {u"ITALIAN", "it_IT"},
    {u"SPANISH", "es_ES"},
    {u"PORTUGUESE", "pt_BR"},
    {u"RUSSIAN", "ru_RU"},
}};

} // namespace

QtStandardTexts::~QtStandardTexts() {
    Uninstall();
}

QString QtStandardTexts::LocaleName(std::u16string_view packName) {
    const QString wanted = QString::fromUtf16(packName.data(), packName.size()).toUpper();
    for (const PackLocale& entry : kPackLocales) {
        if (wanted == QString::fromUtf16(entry.pack.data(), entry.pack.size())) {
            return QString::fromLatin1(entry.locale);
        }
    }
    return {};
}

bool QtStandardTexts::Use(std::u16string_view packName) {
    Uninstall();
    QString name = LocaleName(packName);
    if (name.isEmpty()) {
        name = QStringLiteral("en_US");
    }
    const QLocale locale(name);
    // Month and day names of the date picker, and the text direction, follow the same language.
    QLocale::setDefault(locale);
    if (locale.language() == QLocale::English) {
        return true; // Qt's texts are English already.
    }
    if (!m_translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

void QtStandardTexts::Uninstall() {
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
}

} // namespace dashcam
