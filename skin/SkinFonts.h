#pragma once

#include <QFont>
#include <string>
#include <vector>

namespace dashcam {

// Makes the face "Tahoma" available: when the system has none, the metric-compatible Tahoma
// found in the first of the platform's font folders that holds it is registered with the
// application's font database. Needs a QGuiApplication; returns whether Tahoma is available
// afterwards.
bool RegisterTahomaIfMissing(const std::vector<std::string>& fontFolders);

// The skin gives font heights as character cells: the face's Windows ascent plus descent
// (OS/2 usWinAscent + usWinDescent), as the platform sizes a font asked for by a positive
// height. Qt sizes a font by its em; this is the em in whole pixels whose cell is that height,
// from the face's own tables (head unitsPerEm), rounded as the platform rounds it.
int EmForCellHeight(const QFont& face, int cellHeight);

// Tahoma whose character cell is the given height in pixels, with its weight (700 bold, else
// regular).
QFont TahomaFont(int cellHeight, int weight);

} // namespace dashcam
