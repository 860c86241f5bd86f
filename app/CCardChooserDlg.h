#pragma once

#include <vector>

#include "card/CardFinder.h"
#include "skin/CPopupDlgBase.h"

class QListWidget;
class QPushButton;

namespace dashcam {

class CLanguageManager;

// Several cards are mounted: lists each one's label, size and the camera's product name, and
// lets the user open one (Open, Enter or a double click) or none (Cancel, Escape, close box).
class CCardChooserDlg : public CPopupDlgBase {
    Q_OBJECT
public:
    CCardChooserDlg(const std::vector<FoundCard>& cards, CLanguageManager& language);

    // The chosen card's position in the list; -1 while none is chosen.
    int Chosen() const;

    QListWidget* List() const { return m_list; }
    QPushButton* OpenButton() const { return m_open; }
    QPushButton* CancelButton() const { return m_cancel; }

    // One line of the list: "label · 31.9 GB · product".
    static QString Describe(const FoundCard& card, CLanguageManager& language);

protected:
    void LayOut() override;

private:
    QListWidget* m_list;
    QPushButton* m_open;
    QPushButton* m_cancel;
};

} // namespace dashcam
