#include "app/QtCardFormatUi.h"

#include <QMessageBox>

namespace dashcam {

bool QtCardFormatUi::AskYesNo(const std::u16string& caption, const std::u16string& text) {
    return QMessageBox::question(m_owner, QString::fromStdU16String(caption),
                                 QString::fromStdU16String(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtCardFormatUi::ShowMessage(const std::u16string& caption, const std::u16string& text) {
    QMessageBox::information(m_owner, QString::fromStdU16String(caption),
                             QString::fromStdU16String(text));
}

void QtCardFormatUi::ShowProgress(const std::u16string& title, const std::u16string& text,
                                  int width, int height,
                                  const std::function<void(IProgress&)>& start) {
    m_prompt.ShowProgress(title, text, width, height, start);
}

} // namespace dashcam
