#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QWidget;

namespace dashcam {

// The main window's keyboard: Tab and Shift+Tab go round the tabs, the controls of the page on
// show, the command buttons and the window's own buttons, in that order; Ctrl+Tab and
// Ctrl+Shift+Tab step to the next or previous tab; Ctrl+S saves.
class KeyboardNavigation : public QObject {
    Q_OBJECT
public:
    struct Actions {
        std::function<QWidget*()> shownPage;   // the page on show, or none
        std::function<void(int step)> stepTab; // +1 next tab, -1 previous
        std::function<void()> save;
    };

    // tabs left to right; commands in the order Tab should reach them after the page.
    KeyboardNavigation(QWidget* window, std::vector<QWidget*> tabs, std::vector<QWidget*> commands,
                       Actions actions);

    // Moves the focus one step along the window's order; the window's focusNextPrevChild.
    bool FocusNext(bool forward);
    // What Tab reaches now, in order.
    std::vector<QWidget*> FocusOrder() const;

private:
    void AddShortcuts();
    static bool TakesTabFocus(const QWidget* widget);

    QWidget* m_window;
    std::vector<QWidget*> m_tabs;
    std::vector<QWidget*> m_commands;
    Actions m_actions;
};

} // namespace dashcam
