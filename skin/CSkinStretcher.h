#pragma once

#include <cstdint>
#include <vector>

#include "skin/CMemCanvas.h"
#include "skin/SkinRect.h"

class QImage;

namespace dashcam {

// Draws a skin image with a one-pixel marker border to any size (nine-patch): black pixels in
// the top row and left column mark the columns and rows that are repeated, the black runs in
// the right column and bottom row mark where content belongs.
class CSkinStretcher {
public:
    // Fills the whole canvas with PNG image id stretched to the canvas's size; when content is
    // given it receives the content rectangle in the image's own, stretched coordinates. A
    // canvas for a denser screen gets the picture drawn for that density, stretched in device
    // pixels.
    void DrawStretched(CMemCanvas& canvas, int id, SkinRect* content = nullptr);
    // The same for an image already decoded, stretched to the canvas's device pixels.
    void DrawStretched(CMemCanvas& canvas, const QImage& picture, SkinRect* content = nullptr);

    // What the last stretched drawing recorded.
    const std::vector<std::int32_t>& ColumnAmounts() const { return m_columnAmounts; }
    const std::vector<std::int32_t>& RowAmounts() const { return m_rowAmounts; }
    const std::vector<std::int32_t>& MarkedColumns() const { return m_markedColumns; }
    const std::vector<std::int32_t>& MarkedRows() const { return m_markedRows; }

private:
    void DrawAtRatio(CMemCanvas& canvas, int id, const QImage& picture, SkinRect* content);
    void Clear();
    void ScanMarkers(const QImage& image);
    SkinRect ContentRect(const QImage& image) const;

    std::vector<std::int32_t> m_columnAmounts;
    std::vector<std::int32_t> m_rowAmounts;
    std::vector<std::int32_t> m_markedColumns;
    std::vector<std::int32_t> m_markedRows;
};

// Draws PNG image id unscaled at the canvas's top-left corner, blended over what it holds.
void DrawPngNatural(CMemCanvas& canvas, int id);

} // namespace dashcam
