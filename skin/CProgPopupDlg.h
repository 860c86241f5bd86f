#pragma once

#include <atomic>
#include <functional>

#include "platform/Prompt.h"
#include "skin/CPopupDlgBase.h"

class QProgressBar;

namespace dashcam {

// The modal progress popup: a text and a bar from 0 to 100, moved by a worker thread while the
// popup is shown, and ended only by the worker's Close (no close box, no buttons; Enter,
// Escape and a close from the window system are ignored).
//
// SetProgress, GetProgress and Close may be called from any thread. They keep the value and
// the close request in atomics and reach the widgets by queued calls that the popup's modal
// loop runs, so the user-interface thread takes no lock. A value set, or a close asked for,
// before the popup is on screen is kept: the popup then shows that value, or ends right after
// it is shown. Close must be the worker's last call on the popup.
class CProgPopupDlg : public CPopupDlgBase, public IProgress {
    Q_OBJECT
public:
    explicit CProgPopupDlg(QWidget* parent = nullptr);

    // Shows a popup modally, owned by `parent`; `start` gets it before it is shown, to start
    // the worker.
    static void Run(QWidget* parent, const QString& title, const QString& text, int width,
                    int height, const std::function<void(IProgress&)>& start);

    void SetProgress(int value) override;
    int GetProgress() const override { return m_progress.load(); }
    void Close() override;

    QProgressBar* ProgressBar() const { return m_bar; }

public slots:
    void reject() override {}

protected:
    void LayOut() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowStoredProgress();
    void FinishIfClosed();

    std::atomic<int> m_progress{0};
    bool m_closeRequested = false; // touched on the user-interface thread only
    QProgressBar* m_bar;
};

} // namespace dashcam
