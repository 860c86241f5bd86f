#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "skin/CMemCanvas.h"

namespace dashcam {

// A borderless, topmost tooltip window showing a text with per-pixel transparency. A skinned
// button owns one for its tooltip text; the editor gives no tooltip texts, so it stays hidden.
class CTBalloon : public QWidget {
    Q_OBJECT
public:
    CTBalloon();
    void SetText(const QString& text);
    const QString& Text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Compose();

    CMemCanvas m_composition;
    QString m_text;
    QFont m_font;
    bool m_recompose = true;
};

} // namespace dashcam
