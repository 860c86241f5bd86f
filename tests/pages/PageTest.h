#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <cstdint>
#include <vector>

#include "card/AppContext.h"
#include "skin/CSubSlider.h"
#include "tests/support/TestPlatform.h"

namespace dashcam::test {

// A page shown with the English texts over a record the test controls; the test acts on the
// page's widgets as a user would and reads the record's bytes.
template <typename Page> struct PageTest : ::testing::Test {
    PageTest() {
        context.settings.CreateEmptyRecord();
        context.language.LoadLanguage(u"english");
        page.OnInitDialog();
        page.show();
    }
    std::vector<std::uint8_t> Bytes() const {
        const auto bytes = context.settings.Current().Bytes();
        return {bytes.begin(), bytes.end()};
    }
    std::int32_t Field(std::size_t offset) const {
        return context.settings.Current().GetI32(offset);
    }
    void SetField(std::size_t offset, std::int32_t value) {
        context.settings.Current().SetI32(offset, value);
    }
    template <typename Widget> Widget* Get(int id) const {
        return qobject_cast<Widget*>(page.Control(id));
    }
    void Click(int id) const {
        QTest::mouseClick(page.Control(id), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    }
    bool Checked(int id) const { return Get<QAbstractButton>(id)->isChecked(); }
    // Loading must show the record, never change it.
    void LoadKeepingTheRecord() {
        const auto before = Bytes();
        page.LoadFromRecord();
        EXPECT_EQ(Bytes(), before);
    }
    // Drags the thumb of a slider one position at a time to the right, calling `atEach` with
    // the position reached while the button is still held.
    template <typename AtEach> void DragRight(int id, int steps, AtEach atEach) {
        auto* slider = Get<CSubSlider>(id);
        const int step = (slider->width() - 27) / std::max(1, slider->maximum());
        const QPoint start = slider->ThumbRect().center();
        Send(slider, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= steps; ++i) {
            Send(slider, QEvent::MouseMove, start + QPoint(i * step, 0), Qt::NoButton,
                 Qt::LeftButton);
            atEach(slider->GetPosition());
        }
        Send(slider, QEvent::MouseButtonRelease, start + QPoint(steps * step, 0), Qt::LeftButton,
             Qt::NoButton);
    }
    void Key(int id, Qt::Key key) const {
        page.Control(id)->setFocus();
        QTest::keyClick(page.Control(id), key);
    }

    TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    Page page{context};

private:
    static void Send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
                     Qt::MouseButtons held) {
        QMouseEvent event(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
    }
};

} // namespace dashcam::test
