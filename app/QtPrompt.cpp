#include "app/QtPrompt.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "skin/CMsgPopupDlg.h"
#include "skin/CProgPopupDlg.h"
#include "text/CLanguageManager.h"

namespace dashcam {

namespace {

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

} // namespace

void QtPrompt::ShowMessage(std::u16string_view text) {
    // The program's name as the pack spells it, as on the window's own title.
    const QString caption = m_language != nullptr && m_language->IsLoaded()
                                ? QString::fromStdU16String(m_language->GetText(u"IDS_STRING101"))
                                : QCoreApplication::applicationName();
    QMessageBox::information(m_owner, caption, ToQString(text));
}

void QtPrompt::ShowMessage(std::u16string_view caption, std::u16string_view text) {
    QMessageBox::information(m_owner, ToQString(caption), ToQString(text));
}

bool QtPrompt::Confirm(std::u16string_view caption, std::u16string_view text) {
    return QMessageBox::question(m_owner, ToQString(caption), ToQString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtPrompt::AskYesNo(std::u16string_view title, std::u16string_view text, int width,
                        int height) {
    QString yes;
    QString no;
    if (m_language != nullptr && m_language->IsLoaded()) {
        yes = QString::fromStdU16String(m_language->GetText(u"IDS_STRING600"));
        no = QString::fromStdU16String(m_language->GetText(u"IDS_STRING601"));
    }
    return CMsgPopupDlg::Ask(m_owner, ToQString(title), ToQString(text), width, height, yes, no);
}

void QtPrompt::ShowProgress(std::u16string_view title, std::u16string_view text, int width,
                            int height, const std::function<void(IProgress&)>& start) {
    CProgPopupDlg::Run(m_owner, ToQString(title), ToQString(text), width, height, start);
}

} // namespace dashcam
