#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <memory>

#include "pages/CCommonDlg.h"
#include "pages/CEtcDlg.h"
#include "pages/CNormalDlg.h"
#include "pages/CParkingDlg.h"
#include "pages/CSystemDlg.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

// Saves each page, laid out in English, French, Russian and Korean, whole (unscrolled content)
// into the build folder, for a person to look at.
TEST(PageScreenshots, EveryPageInFourLanguages) {
    for (const char16_t* language : {u"english", u"french", u"russian", u"korean"}) {
        test::TestPlatform platform;
        AppContext context{platform.services, platform.prompt};
        context.settings.CreateEmptyRecord();
        ASSERT_TRUE(context.language.LoadLanguage(language));
        std::vector<std::pair<std::string, std::unique_ptr<CBaseDialog>>> pages;
        pages.emplace_back("camera", std::make_unique<CCommonDlg>(context));
        pages.emplace_back("memory-card", std::make_unique<CEtcDlg>(context));
        pages.emplace_back("record", std::make_unique<CParkingDlg>(context));
        pages.emplace_back("road-safety", std::make_unique<CNormalDlg>(context));
        pages.emplace_back("system", std::make_unique<CSystemDlg>(context));
        for (auto& [name, page] : pages) {
            page->OnInitDialog();
            page->LoadFromRecord();
            page->show();
            const QString file = QDir(QCoreApplication::applicationDirPath())
                                     .filePath(QString::fromStdString(name) + "-" +
                                               QString::fromStdU16String(language) + ".png");
            EXPECT_TRUE(page->Content()->grab().save(file)) << file.toStdString();
        }
    }
}

} // namespace
} // namespace dashcam
