#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFont>
#include <QPushButton>
#include <QScrollBar>
#include <QSize>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

#include "card/AppContext.h"
#include "pages/LabelHeights.h"
#include "settings/SettingsFields.h"
#include "skin/CSubSlider.h"

namespace dashcam {

// The base of the five settings pages: a 700 x 437 child of the main window whose taller
// content scrolls vertically, three Tahoma fonts, the placing operations, section titles with a
// separator line after each, Enter and Escape swallowed, and a focus holder that takes the
// keyboard focus when the page background is clicked.
//
// Controls live on Content(), in content coordinates (their place when the page is not
// scrolled), and are registered under their control ids.
class CBaseDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 700;
    static constexpr int kHeight = 437;
    static const QColor kBackground;

    enum class ScrollEvent {
        LineUp,
        LineDown,
        PageUp,
        PageDown,
        ThumbPosition,
        ThumbTrack,
        Top,
        Bottom,
        EndScroll
    };

    CBaseDialog(AppContext& context, int templateId, int focusHolderId, int scrollLimit,
                int lineStep, QWidget* parent = nullptr);

    // The page's initialisation: size, fonts, layout, scroll bar, hidden focus holder.
    void OnInitDialog();
    // Sets every control of the page from the current record, without writing it.
    virtual void LoadFromRecord() = 0;

    int TemplateId() const { return m_templateId; }
    int ScrollPos() const { return m_scrollPos; }
    int ScrollLimit() const { return m_scrollLimit; }
    int LineStep() const { return m_lineStep; }
    QWidget* Content() { return m_content; }
    QScrollBar* VerticalScrollBar() { return m_scrollBar; }
    QWidget* Control(int id) const;
    int FocusHolderId() const { return m_focusHolderId; }

    void OnVScroll(ScrollEvent event, int position = 0);
    void OnMouseWheel(int delta);

    const QFont& TitleFont() const { return m_titleFont; }
    const QFont& SubtitleFont() const { return m_subtitleFont; }
    const QFont& TextFont() const { return m_textFont; }

    QSize PlaceLabel(int id, const QString& text, const QFont& font, int x, int y);
    QSize PlaceControl(int id, int x, int y, int width, int height);
    void PlaceControlWithFont(int id, const QFont& font, const QString& text, int x, int y,
                              int width, int height, bool fitToText);
    static int MeasureTextWidth(const QString& text, const QFont& font);

    const std::vector<int>& SectionTitleIds() const { return m_sectionTitleIds; }

protected:
    // Places every control; may set a new scroll limit.
    virtual void Layout() = 0;
    // Makes a control of the page known under its id (the page keeps ownership through Qt).
    template <typename Widget> Widget* AddControl(int id, Widget* widget) {
        widget->setParent(m_content);
        widget->setObjectName(QString::number(id));
        m_controls[id] = widget;
        return widget;
    }
    // Plain text labels under their ids.
    void AddLabels(std::initializer_list<int> ids);
    // The interface text of a language-pack key.
    QString Text(std::u16string_view key) const;
    // A field of the current record (the record is replaced on every load, so it is looked up
    // each time).
    std::int32_t Field(std::size_t offset) const;
    void SetField(std::size_t offset, std::int32_t value);
    // A radio button and the value it stores.
    struct RadioValue {
        int id;
        std::int32_t value;
    };
    static constexpr int kNoRadio = 0;
    // Makes one radio button per value, in order; a click stores its value, then calls `after`.
    // A stored value that no button has checks `otherId` (kNoRadio: none).
    QButtonGroup* BindRadios(const SettingsField& field, std::initializer_list<RadioValue> radios,
                             int otherId = kNoRadio,
                             const std::function<void(std::int32_t)>& after = {});
    // Makes a slider that edits a field. Its positions are the indices of a listed field's
    // values, or the values themselves plus `shift`; a stored value outside the list shows one
    // past its end.
    CSubSlider* BindSlider(int id, const SettingsField& field, int shift = 0);
    // Names a control after the label it belongs to, for screen readers (the label's buddy).
    void NameAfterLabel(int controlId, int labelId);
    // Gives a bound slider one tick per allowed value.
    void SetBoundRange(int id);
    // Shows every bound radio group and slider from the record, without writing it.
    void ShowBoundControls();
    CSubSlider* Slider(int id) const { return static_cast<CSubSlider*>(Control(id)); }
    // One exclusive radio group of a section.
    QButtonGroup* MakeGroup(std::initializer_list<QAbstractButton*> buttons);
    // Checks one button of a group, or none (nullptr), without telling the page.
    static void ShowChecked(QButtonGroup* group, QAbstractButton* checked);
    // Places a section title and registers it for its separator line.
    QSize PlaceSectionTitle(int id, const QString& text, int x, int y);
    void ClearSectionTitles() { m_sectionTitleIds.clear(); }
    void SetScrollLimit(int limit) { m_scrollLimit = limit; }
    // Separator lines of the section titles, in the content's coordinates.
    virtual void PaintContent(QPainter& painter);

    AppContext& m_context;

    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ScrollBy(int d);
    void ScrollIntoView(QWidget* control);
    void WatchKeys();
    static bool IsSwallowedKey(const QEvent* event);

    int m_templateId;
    int m_focusHolderId;
    int m_scrollPos = 0;
    int m_scrollLimit;
    int m_lineStep;
    std::vector<int> m_sectionTitleIds;
    struct RadioBinding {
        QButtonGroup* group;
        std::size_t offset;
        std::vector<RadioValue> radios;
        int otherId;
    };
    struct SliderBinding {
        int id;
        const SettingsField* field;
        int shift;
    };
    void ShowRadios(const RadioBinding& binding);
    void ShowSlider(const SliderBinding& binding);
    const SliderBinding& BindingOf(int sliderId) const;

    std::map<int, QWidget*> m_controls;
    std::vector<RadioBinding> m_radioBindings;
    std::vector<SliderBinding> m_sliderBindings;
    QWidget* m_content;
    QScrollBar* m_scrollBar;
    QPushButton* m_focusHolder;
    QFont m_titleFont, m_subtitleFont, m_textFont;
    LabelHeights m_labelHeights;
    bool m_followingScrollBar = false;
};

} // namespace dashcam
