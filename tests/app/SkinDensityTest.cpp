// The skin on a dense screen. ctest runs this program at scale factors 1, 1.5 and 2
// (QT_SCALE_FACTOR): it saves a screenshot of the window for each under the build's tests
// folder, and checks that the skinned title is drawn at the screen's density, as sharp as the
// pages' own texts, not drawn at 1x and enlarged.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "app/CSettingDlg.h"
#include "pages/CBaseDialog.h"
#include "skin/CRButton.h"
#include "skin/CRStaticText.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

// Whether a pixel is ink: clearly unlike its row's commonest colour (the background there,
// which may run in a gradient from row to row).
std::vector<std::vector<bool>> InkOf(const QImage& shot, const QRect& area) {
    std::vector<std::vector<bool>> ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::map<QRgb, int> counts;
        for (int x = area.left(); x <= area.right(); ++x) {
            ++counts[shot.pixel(x, y)];
        }
        const QRgb background =
            std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
        std::vector<bool> row;
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            row.push_back(std::abs(qRed(c) - qRed(background)) +
                              std::abs(qGreen(c) - qGreen(background)) +
                              std::abs(qBlue(c) - qBlue(background)) >
                          30);
        }
        ink.push_back(std::move(row));
    }
    return ink;
}

// Of the 2 x 2 pixel blocks that carry ink, the share whose four pixels are all alike. A text
// drawn at 1x and doubled gives 1.0.
double UniformInkBlocks(const QImage& shot, const QRect& area) {
    const auto ink = InkOf(shot, area);
    int inked = 0, uniform = 0;
    for (int y = 0; y + 1 < int(ink.size()); y += 2) {
        for (int x = 0; x + 1 < int(ink[y].size()); x += 2) {
            if (!(ink[y][x] || ink[y][x + 1] || ink[y + 1][x] || ink[y + 1][x + 1])) {
                continue;
            }
            const int sx = area.left() + x, sy = area.top() + y;
            const QRgb a = shot.pixel(sx, sy);
            ++inked;
            uniform += (a == shot.pixel(sx + 1, sy) && a == shot.pixel(sx, sy + 1) &&
                        a == shot.pixel(sx + 1, sy + 1))
                           ? 1
                           : 0;
        }
    }
    return inked == 0 ? 1.0 : double(uniform) / inked;
}

QRect DeviceRect(const QWidget* widget, const QWidget* window, qreal ratio) {
    const QRect r(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return QRect(int(r.x() * ratio), int(r.y() * ratio), int(r.width() * ratio),
                 int(r.height() * ratio));
}

TEST(SkinDensity, TitleIsDrawnAtTheScreensDensity) {
    test::TempFolder card;
    card.Write("setup.cfg", test::RecordBytes(544, {{0, 544}}));
    card.Write("default.cfg", test::RecordBytes(544, {{0, 544}}));
    card.WriteText("lang/ver.dat", " Ver : 1.02\r\n Code : en\r\n");
    test::TestPlatform platform{""};
    AppContext context{platform.services, platform.prompt};
    context.CardPath = card.CardPath();
    CSettingDlg window{context};
    ASSERT_EQ(window.Start(), CSettingDlg::StartResult::Running);
    window.show();
    QCoreApplication::processEvents();

    const qreal ratio = window.devicePixelRatioF();
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.size(), QSize(int(722 * ratio + 0.5), int(587 * ratio + 0.5)));
    QDir().mkpath(QStringLiteral(DASHCAM_SCREENSHOT_DIR));
    const QString name =
        QStringLiteral("%1/window-%2x.png").arg(QStringLiteral(DASHCAM_SCREENSHOT_DIR)).arg(ratio);
    EXPECT_TRUE(shot.save(name)) << name.toStdString();
    if (ratio == 1.0) {
        GTEST_SKIP() << "scale 1: the screenshot only";
    }

    CBaseDialog* page = window.Page(CSettingDlg::kTabMemoryCard);
    QWidget* label = page->Control(page->SectionTitleIds().front());
    ASSERT_NE(label, nullptr);
    const double title = UniformInkBlocks(shot, DeviceRect(window.Title(), &window, ratio));
    const double pageLabel = UniformInkBlocks(shot, DeviceRect(label, &window, ratio));
    RecordProperty("title", std::to_string(title));
    RecordProperty("label", std::to_string(pageLabel));
    EXPECT_LT(title, 0.9) << "the title is drawn at 1x and enlarged";
    EXPECT_LE(title, pageLabel + 0.1) << "title " << title << ", page label " << pageLabel;

    // The tabs' pictures come from the artwork drawn for twice the density: the rounded corner
    // of the first tab is smooth at the screen's pixels, not in steps of two.
    const QRect tab = DeviceRect(window.Button(CSettingDlg::kTabMemoryCard), &window, ratio);
    const QRect corner(tab.topLeft(), QSize(int(8 * ratio), int(8 * ratio)));
    EXPECT_LT(UniformInkBlocks(shot, corner), 0.95);
}

} // namespace
} // namespace dashcam
