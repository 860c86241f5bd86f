#include "pages/LabelHeights.h"

#include <QFontMetrics>

namespace dashcam {

int LabelHeights::Of(const QString& text, const QFont& font) {
    auto found = m_faces.find(font.key());
    if (found == m_faces.end()) {
        found = m_faces.insert(font.key(), Face{QRawFont::fromFont(font)});
    }
    Face& face = found.value();
    if (!OneLineOfTheFace(text, face.raw)) {
        return Measure(text, font);
    }
    if (face.lineHeight < 0) {
        face.lineHeight = Measure(text, font);
    }
    return face.lineHeight;
}

int LabelHeights::Measure(const QString& text, const QFont& font) {
    return QFontMetrics(font).boundingRect(QRect(), Qt::AlignLeft, text).height();
}

bool LabelHeights::OneLineOfTheFace(const QString& text, const QRawFont& face) {
    if (text.isEmpty() || !face.isValid()) {
        return false;
    }
    for (const char32_t c : text.toUcs4()) {
        const bool breaksLine =
            c == U'\n' || c == U'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        if (breaksLine || !face.supportsCharacter(c)) {
            return false;
        }
    }
    return true;
}

} // namespace dashcam
