#include "app/CSettingApp.h"

#include "app/CSettingDlg.h"
#include "app/CardSearch.h"
#include "platform/linux/LinuxMountTable.h"
#include "platform/linux/LinuxMountWatch.h"
#include "settings/CardPath.h"
#include "skin/SkinAccessibility.h"
#include "skin/SkinFonts.h"

namespace dashcam {

CSettingApp::CSettingApp(int& argc, char** argv)
    : QApplication(argc, argv),
      m_context(std::make_unique<AppContext>(m_platform.Services(), m_prompt)) {
    m_prompt.UseLanguage(&m_context->language);
    RegisterTahomaIfMissing(m_platform.Services().program.FontFolders());
    // Lets the desktop match the windows to the installed entry (its name and icon).
    setDesktopFileName(QStringLiteral(DASHCAM_APP_ID));
    InstallSkinAccessibility();
    const QStringList arguments = QCoreApplication::arguments();
    std::vector<std::string> cardArguments;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        cardArguments.push_back(arguments[i].toStdString());
    }
    m_context->CardPath = CardPathFromArguments(cardArguments);
    m_argumentCount = arguments.size() - 1;
}

CSettingApp::~CSettingApp() = default;

int CSettingApp::InitInstance() {
    CSettingDlg dialog(*m_context);
    m_prompt.SetOwner(&dialog);
    CSettingDlg::StartResult started = dialog.Start();
    if (started == CSettingDlg::StartResult::NoCardFolder && m_argumentCount > 1) {
        m_platform.Services().debug.Write(u"Usage: dashcam-setting [CARD-FOLDER]");
        return 2;
    }
    if (started == CSettingDlg::StartResult::NoCardFolder && m_argumentCount == 0 && FindCard()) {
        started = dialog.Start();
    }
    if (started != CSettingDlg::StartResult::Running) {
        return 0;
    }
    dialog.exec();
    m_prompt.SetOwner(nullptr);
    return 0;
}

bool CSettingApp::FindCard() {
    const std::u16string pack = CardSearch::DesktopLanguagePack();
    m_context->language.LoadLanguage(pack);
    m_qtTexts.Use(pack);
    LinuxMountTable mounts;
    LinuxMountWatch watch;
    m_context->CardPath = CardSearch(*m_context, mounts, watch).Run();
    return !m_context->CardPath.empty();
}

} // namespace dashcam
