#include "skin/CGdiPlusBitmapResource.h"

#include <string>

#include "resources/EmbeddedResources.h"

namespace dashcam {

bool CGdiPlusBitmapResource::Load(int id, qreal ratio) {
    m_bitmap.reset();
    m_block.clear();
    const std::string name = std::to_string(id);
    if (ratio > 1.0 && Decode(name + "@2x", 2.0)) {
        return true;
    }
    return Decode(name, 1.0);
}

bool CGdiPlusBitmapResource::Decode(const std::string& name, qreal scale) {
    const auto bytes = FindEmbeddedResource("PNG", name);
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
    m_bitmap->setDevicePixelRatio(scale);
    return true;
}

} // namespace dashcam
