#pragma once

#include "skin/CPopupDlgBase.h"

class QPushButton;

namespace dashcam {

// The modal yes/no question: a text and the buttons Yes and No, captioned in the window's language
// ("예(Y)" and "아니오(N)" unless the caller names them). Yes: its button, the Y key or Enter (Yes
// is the default button). No: its button, the N key or the close box. Escape does nothing.
class CMsgPopupDlg : public CPopupDlgBase {
    Q_OBJECT
public:
    enum Answer { kYes = 1, kNo = 2 };

    explicit CMsgPopupDlg(QWidget* parent = nullptr);

    // Asks modally, owned by `parent` (none: the application's active window); true only for
    // Yes. Empty captions keep the buttons' own.
    static bool Ask(QWidget* parent, const QString& title, const QString& text, int width,
                    int height, const QString& yes = {}, const QString& no = {});

    QPushButton* YesButton() const { return m_yes; }
    QPushButton* NoButton() const { return m_no; }

public slots:
    // The close box answers No.
    void reject() override { done(kNo); }

protected:
    void LayOut() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* m_yes;
    QPushButton* m_no;
};

} // namespace dashcam
