#pragma once

#include <QApplication>
#include <memory>

#include "app/QtPrompt.h"
#include "app/QtStandardTexts.h"
#include "card/AppContext.h"
#include "platform/linux/LinuxPlatform.h"

namespace dashcam {

// The application object: brings up the platform services and the application context, takes
// the card folder from the command line and runs the main window until it closes.
class CSettingApp : public QApplication {
public:
    CSettingApp(int& argc, char** argv);
    ~CSettingApp() override;
    // Runs the main window modally; the program's exit code.
    int InitInstance();

    AppContext& Context() { return *m_context; }

private:
    // Started without a card folder: finds the card and takes it as the card folder; false
    // when the user gave up.
    bool FindCard();

    LinuxPlatform m_platform;
    QtPrompt m_prompt;
    // Qt's own texts in the card search's language.
    QtStandardTexts m_qtTexts;
    std::unique_ptr<AppContext> m_context;
    qsizetype m_argumentCount = 0;
};

} // namespace dashcam
