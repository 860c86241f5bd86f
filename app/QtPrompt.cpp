#include "app/QtPrompt.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace dashcam {

void QtPrompt::ShowMessage(std::u16string_view text) {
    QMessageBox::information(m_owner, QCoreApplication::applicationName(),
                             QString::fromUtf16(text.data(), qsizetype(text.size())));
}

} // namespace dashcam
