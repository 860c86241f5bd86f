#pragma once

#include <QPainter>
#include <QWidget>

#include "skin/SkinFonts.h"

// The floor the editor's start-up is measured against: a frameless window of the editor's size
// drawing one line of Tahoma, so that the font system is loaded as in the editor.
class BareWindow : public QWidget {
public:
    BareWindow() : QWidget(nullptr, Qt::FramelessWindowHint) { resize(722, 587); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(dashcam::TahomaFont(13, 700));
        painter.drawText(11, 20, QStringLiteral("Dash cam setting"));
    }
};
