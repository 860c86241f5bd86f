#pragma once

#include <functional>
#include <vector>

#include "platform/MountTable.h"
#include "card/CardFinder.h"
#include "skin/CPopupDlgBase.h"

class QPushButton;

namespace dashcam {

// "Insert the memory card.": waits, for as long as the user likes, until a card is mounted.
// Every change the mount watch reports looks for cards again; the first look that finds one
// ends the wait (accepted) with what it found. Cancel, Escape and the close box end it
// rejected.
class CCardWaitDlg : public CPopupDlgBase {
    Q_OBJECT
public:
    using Finder = std::function<std::vector<FoundCard>()>;

    CCardWaitDlg(IMountWatch& watch, Finder find, const QString& cancelText);
    ~CCardWaitDlg() override;

    const std::vector<FoundCard>& Cards() const { return m_cards; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void LayOut() override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void LookAgain();

    IMountWatch& m_watch;
    Finder m_find;
    std::vector<FoundCard> m_cards;
    QPushButton* m_cancel;
};

} // namespace dashcam
