#include "skin/CGdiPlusBitmapResource.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>
#include <map>
#include <string>
#include <utility>

#include "resources/EmbeddedResources.h"

namespace dashcam {
namespace {

// A resource's image at one device-pixel ratio, so that a choice of larger artwork fits in.
using ImageKey = std::pair<int, int>; // (resource id, density: 1, or 2 for "<id>@2x")

// The embedded PNGs never change during a run, and the controls draw the same few images many
// times: each is decoded once and then shared (QImage copies share their pixels until written).
// A resource that cannot be decoded is remembered as a null image.
class DecodedImages {
public:
    QImage Find(int id, int density) {
        const ImageKey key{id, density};
        QMutexLocker lock(&m_mutex);
        const auto found = m_images.find(key);
        if (found != m_images.end()) {
            return found->second;
        }
        return m_images.emplace(key, Decode(id, density)).first->second;
    }

private:
    static QImage Decode(int id, int density) {
        const auto bytes =
            FindEmbeddedResource("PNG", std::to_string(id) + (density == 2 ? "@2x" : ""));
        if (!bytes || bytes->empty()) {
            return {};
        }
        QImage image = DecodePng(*bytes);
        if (image.isNull()) {
            return {};
        }
        image = image.convertToFormat(QImage::Format_ARGB32);
        image.setDevicePixelRatio(density);
        return image;
    }

    QMutex m_mutex;
    std::map<ImageKey, QImage> m_images;
};

DecodedImages& Images() {
    static DecodedImages images;
    return images;
}

} // namespace

namespace {

// Gives `use` a reader of the PNG bytes, read where they lie.
template <typename Use> auto ReadPng(std::span<const unsigned char> bytes, Use use) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              qsizetype(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "png");
    // Told the format, the reader would still load every image-format plugin installed to ask
    // each whether it reads PNG (none does; the toolkit's own reader does).
    reader.setAutoDetectImageFormat(false);
    return use(reader);
}

} // namespace

QImage DecodePng(std::span<const unsigned char> bytes) {
    return ReadPng(bytes, [](QImageReader& reader) { return reader.read(); });
}

QSize PngSize(std::span<const unsigned char> bytes) {
    return ReadPng(bytes, [](QImageReader& reader) { return reader.size(); });
}

bool CGdiPlusBitmapResource::Load(int id, qreal ratio) {
    m_bitmap.reset();
    if (ratio > 1.0) {
        QImage dense = Images().Find(id, 2);
        if (!dense.isNull()) {
            m_bitmap = std::move(dense);
            return true;
        }
    }
    QImage image = Images().Find(id, 1);
    if (image.isNull()) {
        return false;
    }
    m_bitmap = std::move(image);
    return true;
}

} // namespace dashcam
