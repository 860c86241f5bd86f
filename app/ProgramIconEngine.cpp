#include "app/ProgramIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <array>

#include "resources/EmbeddedResources.h"
#include "skin/CGdiPlusBitmapResource.h"

namespace dashcam {
namespace {

constexpr std::array<const char*, 2> kNames = {"128", "128@2x"};

QSize PictureSize(const char* name) {
    const auto bytes = FindEmbeddedResource("ICON", name);
    return bytes ? PngSize(*bytes) : QSize();
}

} // namespace

ProgramIconEngine::ProgramIconEngine() {
    for (const char* name : kNames) {
        m_sizes.push_back(PictureSize(name));
    }
}

int ProgramIconEngine::BestFor(const QSize& size) const {
    int best = -1;
    bool bestCovers = false;
    qint64 bestArea = 0;
    for (int i = 0; i < int(m_sizes.size()); ++i) {
        const QSize& candidate = m_sizes[i];
        if (!candidate.isValid()) {
            continue;
        }
        const bool covers =
            candidate.width() >= size.width() && candidate.height() >= size.height();
        const qint64 area = qint64(candidate.width()) * candidate.height();
        if (best < 0 || (covers && (!bestCovers || area < bestArea)) ||
            (!covers && !bestCovers && area > bestArea)) {
            best = i;
            bestCovers = covers;
            bestArea = area;
        }
    }
    return best;
}

QPixmap ProgramIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    const int best = BestFor(size);
    if (best < 0) {
        return {};
    }
    const auto bytes = FindEmbeddedResource("ICON", kNames[std::size_t(best)]);
    if (!bytes) {
        return {};
    }
    QPixmap picture = QPixmap::fromImage(DecodePng(*bytes));
    const QSize fitted = actualSize(size, mode, state);
    if (!picture.isNull() && fitted.isValid() && picture.size() != fitted) {
        picture = picture.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QStyleOption option;
        option.palette = QApplication::palette();
        picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    return picture;
}

void ProgramIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap picture = pixmap(rect.size() * ratio, mode, state);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), picture);
}

QSize ProgramIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const int best = BestFor(size);
    if (best < 0) {
        return {};
    }
    const QSize& picture = m_sizes[best];
    return picture.width() <= size.width() && picture.height() <= size.height()
               ? picture
               : picture.scaled(size, Qt::KeepAspectRatio);
}

QList<QSize> ProgramIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (const QSize& size : m_sizes) {
        if (size.isValid()) {
            sizes.push_back(size);
        }
    }
    return sizes;
}

QIconEngine* ProgramIconEngine::clone() const {
    return new ProgramIconEngine(*this);
}

QString ProgramIconEngine::key() const {
    return QStringLiteral("ProgramIconEngine");
}

} // namespace dashcam
