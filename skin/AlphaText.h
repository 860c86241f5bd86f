#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <optional>

#include "skin/CMemCanvas.h"
#include "skin/SkinFonts.h"
#include "skin/SkinRect.h"
#include "skin/SkinTextStyle.h"

namespace dashcam {

// The text in the colour as a premultiplied image whose alpha is the glyph coverage (taken from
// white text drawn on black); none for an empty text. The image holds ratio device pixels per
// window pixel each way (its device pixel ratio), for a denser screen.
std::optional<QImage> RenderTextBitmap(const QString& text, const QFont& font, SkinColor color,
                                       qreal ratio = 1.0);

// Blends the rendered text into the canvas: vertically centred in the rectangle, at its left
// (alignment 0) or centred (alignment 1), never starting before the rectangle's edges.
void DrawTextAlpha(CMemCanvas& canvas, const QString& text, const QFont& font, const SkinRect& rect,
                   SkinColor color, int alignment);

} // namespace dashcam
