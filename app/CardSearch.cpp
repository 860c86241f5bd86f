#include "app/CardSearch.h"

#include <QLocale>

#include "app/CCardChooserDlg.h"
#include "app/CCardWaitDlg.h"
#include "text/LanguageChoice.h"

namespace dashcam {
namespace {

constexpr int kWaitWidth = 320;
constexpr int kWaitHeight = 150;
constexpr int kChooserWidth = 420;
constexpr int kChooserHeight = 260;

} // namespace

std::string CardSearch::Run() {
    std::vector<FoundCard> cards = Find();
    if (cards.empty()) {
        cards = WaitForCard();
    }
    if (cards.size() == 1) {
        return cards.front().folder;
    }
    return cards.empty() ? std::string() : Choose(cards);
}

// The desktop's language named as the camera names its menu languages, so that the camera's
// table picks the pack.
std::u16string CardSearch::DesktopLanguagePack() {
    const QLocale locale = QLocale::system();
    QString code = QLocale::languageToCode(locale.language());
    if (locale.language() == QLocale::Chinese) {
        code = locale.script() == QLocale::TraditionalChineseScript ? QStringLiteral("zh-Hant-HK")
                                                                    : QStringLiteral("zh-Hans");
    }
    return ChooseLanguagePack(false, {}, {code.toStdU16String()}, 0);
}

std::vector<FoundCard> CardSearch::Find() {
    PlatformServices& platform = m_context.platform;
    return FindCards(m_mounts, platform.volumes, platform.files);
}

std::vector<FoundCard> CardSearch::WaitForCard() {
    CCardWaitDlg wait(
        m_watch, [this] { return Find(); }, Text(u"IDS_STRING107"));
    wait.SetContent(Text(u"IDS_STRING101"), Text(u"IDS_STRING182"), kWaitWidth, kWaitHeight);
    if (wait.DoModal() != QDialog::Accepted) {
        return {};
    }
    return wait.Cards();
}

std::string CardSearch::Choose(const std::vector<FoundCard>& cards) {
    CCardChooserDlg chooser(cards, m_context.language);
    chooser.SetContent(Text(u"IDS_STRING543"), Text(u"IDS_STRING544"), kChooserWidth,
                       kChooserHeight);
    const int chosen = chooser.DoModal() == QDialog::Accepted ? chooser.Chosen() : -1;
    return chosen < 0 ? std::string() : cards[std::size_t(chosen)].folder;
}

QString CardSearch::Text(std::u16string_view key) const {
    return QString::fromStdU16String(m_context.language.GetText(key));
}

} // namespace dashcam
