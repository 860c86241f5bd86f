#pragma once

#include <QFont>
#include <QRect>
#include <QSlider>
#include <QStringList>
#include <optional>
#include <vector>

namespace dashcam {

// The slider of the settings pages: a horizontal slider with a tick at every position on both
// sides, text labels under the channel at the ticks, and a tooltip that shows what the thumb's
// position stands for (hours, volts, a sensitivity level) while the thumb is dragged or the
// mouse rests on the slider.
//
// User moves and programmatic moves are told apart:
// - userMoved(position) is emitted for every move the user makes, with the position the
//   slider then holds: each key press, each intermediate position of a drag, the release that
//   ends a drag, each page step of a click on the channel (and its repeats), each wheel step.
//   It is emitted after the slider has taken the position, even when the position did not
//   change (an End key at the end), as the page writes the shown position on any user action.
// - SetPosition moves the slider without emitting userMoved. Pages load their controls with
//   it and write the record only from userMoved.
// - QSlider's valueChanged still fires for both kinds of move; pages do not listen to it.
//
// The wheel moves the slider only while it has the keyboard focus (which a click gives, the
// wheel does not); otherwise the wheel goes on to the page under it.
class CSubSlider : public QSlider {
    Q_OBJECT
public:
    // Label drawing flags.
    enum : int {
        kFirstAndLast = 0x01,
        kUpperMiddle = 0x04, // label (n + 1) / 2
        kLowerMiddle = 0x08, // label (n - 1) / 2
        kEveryLabel = 0x10,  // one label per tick; the other bits are not looked at
    };
    // Value kinds: which table turns the position into the tooltip's value.
    enum : int {
        kPlainPosition = 0,
        kStopTimerHours = 1,
        kStopVoltage12 = 2,
        kStopVoltage24 = 3,
        kTimerHours = 4,
        kMotionLevels = 5,
    };

    struct PlacedLabel {
        int index;  // into the label list
        QRect rect; // where its text is drawn, left and top aligned
    };

    explicit CSubSlider(QWidget* parent = nullptr);

    void SetValueKind(int kind);
    void SetLabelFont(const QFont& font);
    // Appends the labels (position 0 first) to those already given and stores the flags.
    void SetTickLabels(const QStringList& labels, int flags);

    // Moves the thumb without telling anyone but valueChanged listeners.
    void SetPosition(int position);
    int GetPosition() const { return value(); }
    // Moves the thumb as a user's move does (an assistive tool setting the value).
    void MoveByUser(int position);

    // The tooltip's text for the current position.
    QString ValueText() const;
    // The labels the flags ask for, in drawing order, placed for the current size.
    std::vector<PlacedLabel> PlacedLabels() const;
    QFont LabelFont() const;
    // Where the thumb is drawn and can be grabbed.
    QRect ThumbRect() const;

signals:
    void userMoved(int position);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void initStyleOption(QStyleOptionSlider* option) const override;

private:
    PlacedLabel PlaceAtWholePixel(int index, int x) const;
    PlacedLabel PlaceAtFraction(int index, float x) const;
    QSize LabelSize(int index) const;
    void ShowValueTip(const QPoint& globalPos);
    void ShowValueTipAtThumb();

    int m_valueKind = kPlainPosition;
    std::optional<QFont> m_labelFont;
    int m_drawingFlags = 0;
    QStringList m_tickLabels;
    bool m_inInputEvent = false;
    bool m_userActed = false; // a user action moved the slider during the current input event
};

} // namespace dashcam
