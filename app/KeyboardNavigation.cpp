#include "app/KeyboardNavigation.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

namespace dashcam {

KeyboardNavigation::KeyboardNavigation(QWidget* window, std::vector<QWidget*> tabs,
                                       std::vector<QWidget*> commands, Actions actions)
    : QObject(window), m_window(window), m_tabs(std::move(tabs)), m_commands(std::move(commands)),
      m_actions(std::move(actions)) {
    AddShortcuts();
}

void KeyboardNavigation::AddShortcuts() {
    const auto add = [this](QKeyCombination keys, const std::function<void()>& act) {
        auto* shortcut = new QShortcut(QKeySequence(keys), m_window);
        connect(shortcut, &QShortcut::activated, this, act);
    };
    const auto next = [this] { m_actions.stepTab(+1); };
    const auto previous = [this] { m_actions.stepTab(-1); };
    add(Qt::CTRL | Qt::Key_Tab, next);
    // With Shift held, the key arrives as Backtab on most keyboards.
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, previous);
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, previous);
    add(Qt::CTRL | Qt::Key_S, [this] { m_actions.save(); });
}

bool KeyboardNavigation::TakesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
           widget->isVisibleTo(widget->window()) && widget->focusProxy() == nullptr;
}

std::vector<QWidget*> KeyboardNavigation::FocusOrder() const {
    std::vector<QWidget*> order;
    const auto addIfReachable = [&order](QWidget* widget) {
        if (widget != nullptr && TakesTabFocus(widget)) {
            order.push_back(widget);
        }
    };
    std::ranges::for_each(m_tabs, addIfReachable);
    // The page's controls in the page's own order: the window's focus chain, from the window
    // round to it again, keeping only what lies on the page.
    if (QWidget* page = m_actions.shownPage ? m_actions.shownPage() : nullptr) {
        for (QWidget* w = m_window->nextInFocusChain(); w != m_window; w = w->nextInFocusChain()) {
            if (page->isAncestorOf(w)) {
                addIfReachable(w);
            }
        }
    }
    std::ranges::for_each(m_commands, addIfReachable);
    return order;
}

bool KeyboardNavigation::FocusNext(bool forward) {
    const std::vector<QWidget*> order = FocusOrder();
    if (order.empty()) {
        return false;
    }
    QWidget* focused = m_window->focusWidget();
    // A control inside a composite one (the editor of a date picker) counts as that control.
    auto at = std::ranges::find_if(order, [focused](QWidget* w) {
        return focused != nullptr && (w == focused || w->isAncestorOf(focused));
    });
    const auto count = std::ptrdiff_t(order.size());
    std::ptrdiff_t index = 0;
    if (at == order.end()) {
        index = forward ? 0 : count - 1;
    } else {
        index = ((at - order.begin()) + (forward ? 1 : -1) + count) % count;
    }
    order[std::size_t(index)]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace dashcam
