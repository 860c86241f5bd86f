#include "skin/CGdiPlusBitmapResource.h"

#include <QMutex>
#include <QMutexLocker>
#include <map>
#include <string>
#include <utility>

#include "resources/EmbeddedResources.h"

namespace dashcam {
namespace {

// A resource's image at one device-pixel ratio, so that a choice of larger artwork fits in.
using ImageKey = std::pair<int, int>; // (resource id, device-pixel ratio)

// The embedded PNGs never change during a run, and the controls draw the same few images many
// times: each is decoded once and then shared (QImage copies share their pixels until written).
// A resource that cannot be decoded is remembered as a null image.
class DecodedImages {
public:
    QImage Find(int id) {
        const ImageKey key{id, 1};
        QMutexLocker lock(&m_mutex);
        const auto found = m_images.find(key);
        if (found != m_images.end()) {
            return found->second;
        }
        return m_images.emplace(key, Decode(id)).first->second;
    }

private:
    static QImage Decode(int id) {
        const auto bytes = FindEmbeddedResource("PNG", std::to_string(id));
        if (!bytes || bytes->empty()) {
            return {};
        }
        QImage image;
        if (!image.loadFromData(bytes->data(), int(bytes->size()), "PNG") || image.isNull()) {
            return {};
        }
        return image.convertToFormat(QImage::Format_ARGB32);
    }

    QMutex m_mutex;
    std::map<ImageKey, QImage> m_images;
};

DecodedImages& Images() {
    static DecodedImages images;
    return images;
}

} // namespace

bool CGdiPlusBitmapResource::Load(int id) {
    m_bitmap.reset();
    QImage image = Images().Find(id);
    if (image.isNull()) {
        return false;
    }
    m_bitmap = std::move(image);
    return true;
}

} // namespace dashcam
