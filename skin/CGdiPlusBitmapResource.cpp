#include "skin/CGdiPlusBitmapResource.h"

#include <string>

#include "resources/EmbeddedResources.h"

namespace dashcam {

bool CGdiPlusBitmapResource::Load(int id) {
    m_bitmap.reset();
    m_block.clear();
    const auto bytes = FindEmbeddedResource("PNG", std::to_string(id));
    if (!bytes || bytes->empty()) {
        return false;
    }
    m_block = QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));
    QImage image;
    if (!image.loadFromData(m_block, "PNG") || image.isNull()) {
        m_block.clear();
        return false;
    }
    m_bitmap = image.convertToFormat(QImage::Format_ARGB32);
    return true;
}

} // namespace dashcam
