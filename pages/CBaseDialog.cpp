#include "pages/CBaseDialog.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

#include "skin/AlphaText.h"

namespace dashcam {

const QColor CBaseDialog::kBackground(254, 254, 254);

CBaseDialog::CBaseDialog(AppContext& context, int templateId, int focusHolderId, int scrollLimit,
                         int lineStep, QWidget* parent)
    : QWidget(parent), m_context(context), m_templateId(templateId), m_focusHolderId(focusHolderId),
      m_scrollLimit(scrollLimit), m_lineStep(lineStep), m_content(new QWidget(this)),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)), m_focusHolder(new QPushButton(m_content)) {
    setObjectName(QString::number(templateId));
    QPalette palette;
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);
    m_content->setPalette(palette);
    m_content->setAutoFillBackground(true);
    m_content->installEventFilter(this);
    m_focusHolder->setObjectName(QString::number(focusHolderId));
    m_focusHolder->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QAbstractSlider::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            OnVScroll(ScrollEvent::LineUp);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            OnVScroll(ScrollEvent::LineDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            OnVScroll(ScrollEvent::PageUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            OnVScroll(ScrollEvent::PageDown);
            break;
        case QAbstractSlider::SliderMove:
            OnVScroll(ScrollEvent::ThumbTrack, m_scrollBar->sliderPosition());
            break;
        default:
            OnVScroll(ScrollEvent::EndScroll);
            break;
        }
        // The page decides the movement; the scroll bar only shows it.
        m_scrollBar->setSliderPosition(m_scrollPos);
    });
}

QWidget* CBaseDialog::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void CBaseDialog::OnInitDialog() {
    setGeometry(0, 0, kWidth, kHeight);
    m_scrollPos = 0;
    m_titleFont = TahomaFont(14, 700);
    m_subtitleFont = TahomaFont(13, 700);
    m_textFont = TahomaFont(13, 400);
    Layout();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_scrollBar->setGeometry(kWidth - bar, 0, bar, kHeight);
    m_content->setGeometry(0, 0, kWidth - bar, kHeight + m_scrollLimit + 1);
    // A range of 0 to limit + 1 with a page of 437 is the platform's maximum of limit + 437.
    m_scrollBar->setRange(0, m_scrollLimit + 1);
    m_scrollBar->setPageStep(kHeight);
    m_scrollBar->setSingleStep(m_lineStep);
    m_scrollBar->setValue(0);
    m_scrollBar->setEnabled(m_scrollLimit > 0);
    // Hidden from view: a button of no size that can still hold the keyboard focus.
    m_focusHolder->setGeometry(0, 0, 0, 0);
    m_scrollBar->installEventFilter(this);
    WatchKeys();
}

// Enter and Escape must do nothing on a page, but a control acts on them before they could
// climb to the page (a push button inside the dialog presses itself on Enter, an edit reports
// it), so every control the page has by now hands its keys to the page first.
void CBaseDialog::WatchKeys() {
    for (QWidget* control : m_content->findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }
}

bool CBaseDialog::IsSwallowedKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

void CBaseDialog::OnVScroll(ScrollEvent event, int position) {
    const int page = m_scrollBar->pageStep();
    int d = 0;
    switch (event) {
    case ScrollEvent::LineUp:
        d = -std::min(m_lineStep, m_scrollPos);
        break;
    case ScrollEvent::LineDown:
        d = std::min(m_lineStep, m_scrollLimit - m_scrollPos);
        break;
    case ScrollEvent::PageUp:
        d = -std::min(page, m_scrollPos);
        break;
    case ScrollEvent::PageDown:
        d = std::min(page, m_scrollLimit - m_scrollPos);
        break;
    case ScrollEvent::ThumbPosition:
    case ScrollEvent::ThumbTrack:
        d = position - m_scrollPos;
        break;
    case ScrollEvent::Top:
    case ScrollEvent::Bottom:
    case ScrollEvent::EndScroll:
        return;
    }
    ScrollBy(d);
}

void CBaseDialog::OnMouseWheel(int delta) {
    // One message is one line step, whatever its size.
    if (delta > 0) {
        ScrollBy(-std::min(m_lineStep, m_scrollPos));
    } else if (delta < 0) {
        ScrollBy(std::min(m_lineStep, m_scrollLimit - m_scrollPos));
    }
}

// A control the keyboard reaches below or above the page's view is scrolled into it.
void CBaseDialog::ScrollIntoView(QWidget* control) {
    constexpr int kMargin = 10;
    const int top = control->mapTo(m_content, QPoint(0, 0)).y();
    const int bottom = top + control->height();
    if (top < m_scrollPos) {
        ScrollBy(-std::min(m_scrollPos, m_scrollPos - top + kMargin));
    } else if (bottom > m_scrollPos + kHeight) {
        ScrollBy(std::min(m_scrollLimit - m_scrollPos, bottom - (m_scrollPos + kHeight) + kMargin));
    }
}

void CBaseDialog::ScrollBy(int d) {
    m_scrollPos += d;
    const QSignalBlocker quiet(m_scrollBar);
    m_scrollBar->setValue(m_scrollPos);
    m_content->move(0, -m_scrollPos);
}

void CBaseDialog::wheelEvent(QWheelEvent* event) {
    OnMouseWheel(event->angleDelta().y());
    event->accept();
}

void CBaseDialog::keyPressEvent(QKeyEvent* event) {
    if (IsSwallowedKey(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CBaseDialog::eventFilter(QObject* watched, QEvent* event) {
    // Over the scroll bar too one wheel message is one line step, not the bar's own lines.
    if (watched == m_scrollBar && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    // A date or time picker the user has not focused leaves the wheel to the page, as the
    // lists do, instead of changing the value under the pointer.
    if (event->type() == QEvent::Wheel && qobject_cast<QAbstractSpinBox*>(watched) != nullptr &&
        window()->focusWidget() != watched) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    // Claimed as a shortcut too, so that no shortcut of the window acts on them either. The
    // keys of a pop-up (a drop-down list) are its own.
    if (watched != m_content && IsSwallowedKey(event) &&
        static_cast<QWidget*>(watched)->window() == window()) {
        event->accept();
        return event->type() == QEvent::KeyPress;
    }
    if (event->type() == QEvent::FocusIn && watched != m_content) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            ScrollIntoView(static_cast<QWidget*>(watched));
        }
    }
    if (watched == m_content) {
        if (event->type() == QEvent::Paint) {
            QPainter painter(m_content);
            PaintContent(painter);
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_focusHolder->setFocus(Qt::MouseFocusReason);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CBaseDialog::PaintContent(QPainter& painter) {
    painter.setPen(QPen(QColor(163, 181, 198), 1));
    const int right = m_content->width() - 15;
    for (int id : m_sectionTitleIds) {
        const QWidget* title = Control(id);
        if (title == nullptr || title->isHidden() || title->width() == 0) {
            continue;
        }
        const QRect r = title->geometry();
        const int y = r.top() + r.height() / 2;
        painter.drawLine(r.width() + 27, y, right, y);
    }
}

int CBaseDialog::MeasureTextWidth(const QString& text, const QFont& font) {
    if (text.isEmpty()) {
        return 0;
    }
    return QFontMetrics(font).boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, text).width();
}

QSize CBaseDialog::PlaceLabel(int id, const QString& text, const QFont& font, int x, int y) {
    QWidget* control = Control(id);
    if (control == nullptr) {
        return {};
    }
    const QString trimmed = text.trimmed();
    control->setFont(font);
    control->setProperty("text", trimmed);
    // The height comes from the control's default font, the width from the given one.
    const int measuredHeight =
        trimmed.isEmpty() ? 0 : m_labelHeights.Of(trimmed, QApplication::font());
    const int measuredWidth = MeasureTextWidth(trimmed, font);
    const int width = measuredWidth == 0 ? 25 : measuredWidth + 30;
    const int height = measuredHeight == 0 ? 25 : measuredHeight;
    control->setGeometry(x, y, width, height);
    return {width, height};
}

QSize CBaseDialog::PlaceControl(int id, int x, int y, int width, int height) {
    if (QWidget* control = Control(id)) {
        control->setGeometry(x, y, width, height);
    }
    return {width, height};
}

void CBaseDialog::PlaceControlWithFont(int id, const QFont& font, const QString& text, int x, int y,
                                       int width, int height, bool fitToText) {
    QWidget* control = Control(id);
    if (control == nullptr) {
        return;
    }
    control->setFont(font);
    control->setGeometry(x, y, fitToText ? MeasureTextWidth(text, font) : width, height);
}

void CBaseDialog::AddLabels(std::initializer_list<int> ids) {
    for (int id : ids) {
        AddControl(id, new QLabel);
    }
}

QString CBaseDialog::Text(std::u16string_view key) const {
    return QString::fromStdU16String(m_context.language.GetText(key));
}

std::int32_t CBaseDialog::Field(std::size_t offset) const {
    return m_context.settings.ReadI32(offset);
}

void CBaseDialog::SetField(std::size_t offset, std::int32_t value) {
    m_context.settings.Current().SetI32(offset, value);
}

QButtonGroup* CBaseDialog::MakeGroup(std::initializer_list<QAbstractButton*> buttons) {
    auto* group = new QButtonGroup(this);
    for (QAbstractButton* button : buttons) {
        group->addButton(button);
    }
    return group;
}

QButtonGroup* CBaseDialog::BindRadios(const SettingsField& field,
                                      std::initializer_list<RadioValue> radios, int otherId,
                                      const std::function<void(std::int32_t)>& after) {
    auto* group = new QButtonGroup(this);
    for (const RadioValue& radio : radios) {
        auto* button = AddControl(radio.id, new QRadioButton);
        group->addButton(button);
        connect(button, &QRadioButton::clicked, this,
                [this, offset = field.offset, value = radio.value, after] {
                    SetField(offset, value);
                    if (after) {
                        after(value);
                    }
                });
    }
    m_radioBindings.push_back({group, field.offset, radios, otherId});
    return group;
}

CSubSlider* CBaseDialog::BindSlider(int id, const SettingsField& field, int shift) {
    auto* slider = AddControl(id, new CSubSlider);
    const ValueRule& rule = field.allowed;
    connect(slider, &CSubSlider::userMoved, this,
            [this, offset = field.offset, &rule, shift](int position) {
                SetField(offset, rule.IsList() ? rule.At(position) : position - shift);
            });
    m_sliderBindings.push_back({id, &field, shift});
    return slider;
}

void CBaseDialog::NameAfterLabel(int controlId, int labelId) {
    if (auto* label = qobject_cast<QLabel*>(Control(labelId))) {
        label->setBuddy(Control(controlId));
    }
}

const CBaseDialog::SliderBinding& CBaseDialog::BindingOf(int sliderId) const {
    return *std::ranges::find(m_sliderBindings, sliderId, &SliderBinding::id);
}

void CBaseDialog::SetBoundRange(int id) {
    const SliderBinding& binding = BindingOf(id);
    const ValueRule& rule = binding.field->allowed;
    if (rule.IsList()) {
        Slider(id)->setRange(0, static_cast<int>(rule.count) - 1);
    } else {
        Slider(id)->setRange(rule.minimum + binding.shift, rule.maximum + binding.shift);
    }
    Slider(id)->setTickInterval(1);
}

void CBaseDialog::ShowBoundControls() {
    for (const RadioBinding& binding : m_radioBindings) {
        ShowRadios(binding);
    }
    for (const SliderBinding& binding : m_sliderBindings) {
        ShowSlider(binding);
    }
}

void CBaseDialog::ShowRadios(const RadioBinding& binding) {
    const std::int32_t stored = Field(binding.offset);
    const auto radio = std::ranges::find(binding.radios, stored, &RadioValue::value);
    const int id = radio != binding.radios.end() ? radio->id : binding.otherId;
    ShowChecked(binding.group,
                id == kNoRadio ? nullptr : static_cast<QAbstractButton*>(Control(id)));
}

// Any stored number, however large, is shown without overflowing (the slider then shows its end).
void CBaseDialog::ShowSlider(const SliderBinding& binding) {
    const ValueRule& rule = binding.field->allowed;
    const std::int32_t stored = Field(binding.field->offset);
    const std::int64_t position =
        rule.IsList() ? rule.IndexOf(stored) : std::int64_t{stored} + binding.shift;
    Slider(binding.id)
        ->SetPosition(static_cast<int>(std::clamp<std::int64_t>(
            position, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
}

void CBaseDialog::ShowChecked(QButtonGroup* group, QAbstractButton* checked) {
    // An exclusive group refuses to uncheck its last checked button.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) {
        const QSignalBlocker quiet(button);
        button->setChecked(button == checked);
    }
    group->setExclusive(true);
}

QSize CBaseDialog::PlaceSectionTitle(int id, const QString& text, int x, int y) {
    m_sectionTitleIds.push_back(id);
    return PlaceLabel(id, text, m_titleFont, x, y);
}

} // namespace dashcam
