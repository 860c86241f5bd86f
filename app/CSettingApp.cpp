#include "app/CSettingApp.h"

#include "app/CSettingDlg.h"
#include "settings/CardPath.h"
#include "skin/SkinAccessibility.h"
#include "skin/SkinFonts.h"

namespace dashcam {

CSettingApp::CSettingApp(int& argc, char** argv)
    : QApplication(argc, argv),
      m_context(std::make_unique<AppContext>(m_platform.Services(), m_prompt)) {
    RegisterTahomaIfMissing();
    InstallSkinAccessibility();
    const QStringList arguments = QCoreApplication::arguments();
    std::vector<std::string> cardArguments;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        cardArguments.push_back(arguments[i].toStdString());
    }
    m_context->CardPath = CardPathFromArguments(cardArguments);
}

CSettingApp::~CSettingApp() = default;

int CSettingApp::InitInstance() {
    CSettingDlg dialog(*m_context);
    m_prompt.SetOwner(&dialog);
    if (dialog.Start() != CSettingDlg::StartResult::Running) {
        return 0;
    }
    dialog.exec();
    m_prompt.SetOwner(nullptr);
    return 0;
}

} // namespace dashcam
