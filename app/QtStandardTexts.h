#pragma once

#include <QTranslator>
#include <string_view>

namespace dashcam {

// Qt's own texts (a message box's buttons, a date picker's months, a text field's menu) in the
// language of the chosen pack, from the system's qtbase translations. Installed on the
// application while this object lives; a later Use() replaces the earlier language.
class QtStandardTexts {
public:
    QtStandardTexts() = default;
    ~QtStandardTexts();
    QtStandardTexts(const QtStandardTexts&) = delete;
    QtStandardTexts& operator=(const QtStandardTexts&) = delete;

    // Speaks the language of the named pack (any case); English, Qt's own, for a pack without
    // a Qt translation. False when the translation is missing from this system.
    bool Use(std::u16string_view packName);

    // The Qt locale name of a pack (ENGLISH gives "en_US"); empty for an unknown pack.
    static QString LocaleName(std::u16string_view packName);

private:
    void Uninstall();

    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace dashcam
