#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QString>

namespace dashcam {

// The height a label takes for its text in a font: the height of the text's bounding rectangle
// as the toolkit lays it out. A single line drawn whole by the font's own face always has that
// face's line height, so it is laid out once per font; other texts (several lines, or letters
// from a fallback face, which may be taller) are laid out each time.
class LabelHeights {
public:
    int Of(const QString& text, const QFont& font);

private:
    struct Face {
        QRawFont raw;
        int lineHeight = -1; // not yet measured
    };

    static int Measure(const QString& text, const QFont& font);
    static bool OneLineOfTheFace(const QString& text, const QRawFont& face);

    QHash<QString, Face> m_faces; // by the font's key
};

} // namespace dashcam
