#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace dashcam {

// What the two modal popups share: a caption, a text of a few CR LF separated lines in a
// centred, wrapping text control, an outer size chosen by the caller, and a white look. The
// popup lays out its controls from that size once, just before it is first shown.
class CPopupDlgBase : public QDialog {
    Q_OBJECT
public:
    // Called once, before the popup is shown. width and height are the outer size, frame and
    // caption included.
    void SetContent(const QString& title, const QString& text, int width, int height);
    // Shows the popup modally; returns how it ended.
    int DoModal() { return exec(); }

    QLabel* TextControl() const { return m_textControl; }

    void setVisible(bool visible) override;

protected:
    // Space kept between a text that had to grow and the controls below it.
    static constexpr int kTextGap = 4;

    CPopupDlgBase(QWidget* parent, Qt::WindowFlags flags, int textControlId);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The number of CR LF pairs in the text, which decides the text control's height.
    int LineBreakCount() const;
    // The text control's height: `given` when the wrapped text fits in it, else the height the
    // text needs. When that reaches past `room`, the popup grows by the difference, so no line
    // of a longer translation is cut off.
    int FittedTextHeight(int given, int width, int room);
    // Places the controls for Width() x Height(), in client coordinates.
    virtual void LayOut() = 0;

    void showEvent(QShowEvent* event) override;

private:
    QString m_title;
    QString m_text;
    int m_width = 0;
    int m_height = 0;
    QLabel* m_textControl;
    bool m_laidOut = false;
};

} // namespace dashcam
