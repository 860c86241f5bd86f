#include "skin/CSubSlider.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <QWheelEvent>
#include <utility>

#include "settings/SettingsFields.h"

namespace dashcam {

namespace {

// Tick labels are spaced for a first tick 14 pixels from the left edge and a last one 13 from
// the right edge.
constexpr float kFirstTickX = 14.0f;
constexpr int kTickSpanMargin = 27;
// A thumb this long makes the style put its ticks (and the thumb's centre) where the labels
// stand: the style spaces ticks over the width minus the thumb, starting at half the thumb.
constexpr int kThumbLength = 28;

constexpr int kDrawnLabelFlags = CSubSlider::kFirstAndLast | CSubSlider::kUpperMiddle |
                                 CSubSlider::kLowerMiddle | CSubSlider::kEveryLabel;

// The field whose value a kind's tooltip shows; null for a kind that shows the position.
const SettingsField* ShownField(int kind) {
    switch (kind) {
    case CSubSlider::kStopTimerHours:
    case CSubSlider::kTimerHours:
        return &Field("stop_timer");
    case CSubSlider::kMotionLevels:
        return &Field("motion_sensitivity");
    case CSubSlider::kStopVoltage12:
        return &Field("stop_voltage_12v");
    case CSubSlider::kStopVoltage24:
        return &Field("stop_voltage_24v");
    default:
        return nullptr;
    }
}

// A position outside its kind's table shows the position itself, as a kind without table does.
QString FormatValue(int kind, int position) {
    const SettingsField* field = ShownField(kind);
    if (field == nullptr) {
        return QString::number(position);
    }
    const ValueRule& rule = field->allowed;
    if (rule.IsList()) {
        return position >= 0 && position < static_cast<int>(rule.count)
                   ? QString::number(rule.At(position))
                   : QString::number(position);
    }
    return rule.Allows(position) ? QString::asprintf("%0.1f", field->volts.At(position))
                                 : QString::number(position);
}

class TickSpacingStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_SliderLength) {
            return kThumbLength;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

bool IsInputEvent(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Timer: // the repeated page steps of a held click on the channel
        return true;
    default:
        return false;
    }
}

} // namespace

CSubSlider::CSubSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    auto* spacing = new TickSpacingStyle;
    spacing->setParent(this);
    setStyle(spacing);
    setTickPosition(QSlider::TicksBothSides);
    setTickInterval(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    // Every action the user starts runs inside one of our input events; event() reports it
    // once the slider holds its new position.
    const auto markUserAction = [this] { m_userActed = m_userActed || m_inInputEvent; };
    connect(this, &QAbstractSlider::actionTriggered, this, markUserAction);
    connect(this, &QAbstractSlider::sliderReleased, this, markUserAction);
}

void CSubSlider::SetValueKind(int kind) {
    m_valueKind = kind;
}

void CSubSlider::SetLabelFont(const QFont& font) {
    m_labelFont = font;
    update();
}

void CSubSlider::SetTickLabels(const QStringList& labels, int flags) {
    m_tickLabels.append(labels);
    m_drawingFlags = flags;
    update();
}

void CSubSlider::SetPosition(int position) {
    setValue(position);
}

void CSubSlider::MoveByUser(int position) {
    setValue(position);
    emit userMoved(value());
}

QString CSubSlider::ValueText() const {
    return FormatValue(m_valueKind, sliderPosition());
}

QFont CSubSlider::LabelFont() const {
    return m_labelFont.value_or(font());
}

QSize CSubSlider::LabelSize(int index) const {
    return QFontMetrics(LabelFont()).size(0, m_tickLabels[index]);
}

// The label stands centred under its tick at the bottom edge; its box reaches a full text
// width right of the tick, so the text is never clipped.
CSubSlider::PlacedLabel CSubSlider::PlaceAtWholePixel(int index, int x) const {
    const QSize text = LabelSize(index);
    const int left = x - text.width() / 2;
    const int right = x + text.width();
    return {index, QRect(left, height() - text.height(), right - left, text.height())};
}

CSubSlider::PlacedLabel CSubSlider::PlaceAtFraction(int index, float x) const {
    const QSize text = LabelSize(index);
    const int left = static_cast<int>(x - static_cast<float>(text.width() / 2));
    const int right = static_cast<int>(x + static_cast<float>(text.width()));
    return {index, QRect(left, height() - text.height(), right - left, text.height())};
}

std::vector<CSubSlider::PlacedLabel> CSubSlider::PlacedLabels() const {
    std::vector<PlacedLabel> placed;
    const int count = static_cast<int>(m_tickLabels.size());
    if (count == 0) {
        return placed;
    }
    // A single label has no spacing; it stands at the first tick.
    const float step =
        count > 1 ? static_cast<float>(width() - kTickSpanMargin) / static_cast<float>(count - 1)
                  : 0.0f;
    if (m_drawingFlags & kEveryLabel) {
        float x = kFirstTickX;
        for (int i = 0; count > 1 && i < count; ++i, x += step) {
            placed.push_back(PlaceAtFraction(i, x));
        }
        return placed;
    }
    const auto tickX = [&](int index) {
        return static_cast<int>(static_cast<float>(index) * step + kFirstTickX);
    };
    if (m_drawingFlags & kFirstAndLast) {
        placed.push_back(PlaceAtWholePixel(0, static_cast<int>(kFirstTickX)));
        if (count > 1) {
            placed.push_back(PlaceAtWholePixel(count - 1, tickX(count - 1)));
        }
    }
    // A middle label the list does not have is left out.
    if ((m_drawingFlags & kUpperMiddle) && (count + 1) / 2 < count) {
        placed.push_back(PlaceAtWholePixel((count + 1) / 2, tickX((count + 1) / 2)));
    }
    if (m_drawingFlags & kLowerMiddle) {
        placed.push_back(PlaceAtWholePixel((count - 1) / 2, tickX((count - 1) / 2)));
    }
    return placed;
}

bool CSubSlider::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        ShowValueTip(static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    if (!IsInputEvent(event->type())) {
        return QSlider::event(event);
    }
    // Like a focused control, the slider takes the wheel only when it has its window's focus;
    // otherwise the wheel goes on to the page, which scrolls.
    if (event->type() == QEvent::Wheel && window()->focusWidget() != this) {
        event->ignore();
        return false;
    }
    const bool outer = !std::exchange(m_inInputEvent, true);
    const bool handled = QSlider::event(event);
    if (!outer) {
        return handled;
    }
    m_inInputEvent = false;
    if (isSliderDown()) {
        ShowValueTipAtThumb();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        QToolTip::hideText();
    }
    if (std::exchange(m_userActed, false)) {
        emit userMoved(value());
    }
    if (event->type() == QEvent::Wheel) {
        // At either end of the range the slider refuses the step; a focused slider still owns
        // the wheel, so the page must not scroll under it.
        event->accept();
        return true;
    }
    return handled;
}

void CSubSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    const std::vector<PlacedLabel> placed = PlacedLabels();
    if (placed.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setFont(LabelFont());
    painter.setPen(palette().color(QPalette::WindowText));
    for (const PlacedLabel& label : placed) {
        painter.drawText(label.rect, Qt::AlignLeft | Qt::AlignTop, m_tickLabels[label.index]);
    }
}

// The labels' strip at the bottom edge is theirs: the channel, thumb and ticks are laid out,
// drawn and hit-tested above it.
void CSubSlider::initStyleOption(QStyleOptionSlider* option) const {
    QSlider::initStyleOption(option);
    if (m_tickLabels.isEmpty() || (m_drawingFlags & kDrawnLabelFlags) == 0) {
        return;
    }
    const int strip = QFontMetrics(LabelFont()).height();
    if (option->rect.height() > 2 * strip) {
        option->rect.setHeight(option->rect.height() - strip);
    }
}

void CSubSlider::ShowValueTip(const QPoint& globalPos) {
    QToolTip::showText(globalPos, ValueText(), this);
}

QRect CSubSlider::ThumbRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

void CSubSlider::ShowValueTipAtThumb() {
    const QRect thumb = ThumbRect();
    ShowValueTip(mapToGlobal(QPoint(thumb.center().x(), thumb.top())));
}

} // namespace dashcam
