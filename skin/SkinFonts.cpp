#include "skin/SkinFonts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace dashcam {

namespace {

// A big-endian unsigned 16-bit value of a font table; 0 past its end.
int TableU16(const QByteArray& table, int offset) {
    if (offset < 0 || offset + 2 > table.size()) {
        return 0;
    }
    return qFromBigEndian<quint16>(table.constData() + offset);
}

// The cell in font units and the em in font units, from the face's tables; 0 when it has none.
struct CellUnits {
    int cell = 0;
    int unitsPerEm = 0;
};

CellUnits ReadCellFromTables(const QFont& face) {
    const QRawFont raw = QRawFont::fromFont(face);
    if (!raw.isValid()) {
        return {};
    }
    const QByteArray head = raw.fontTable("head");
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr int kUnitsPerEm = 18; // head
    constexpr int kWinAscent = 74;  // OS/2
    constexpr int kWinDescent = 76; // OS/2
    return {TableU16(os2, kWinAscent) + TableU16(os2, kWinDescent), TableU16(head, kUnitsPerEm)};
}

// A face's tables do not change with its size, but reading them loads the face at that size,
// which costs as much as the font's own later use: each face is read once. Registering a font
// may change what a family name gives, so it forgets what was read.
class FaceCells {
public:
    static FaceCells& Instance() {
        static FaceCells cells;
        return cells;
    }

    CellUnits Of(const QFont& face) {
        const QString key =
            face.family() + u'\n' + face.styleName() + u'\n' + QString::number(face.weight()) +
            u'\n' + QString::number(int(face.style())) + u'\n' + QString::number(face.stretch());
        const QMutexLocker lock(&m_mutex);
        const auto found = m_cells.constFind(key);
        if (found != m_cells.constEnd()) {
            return *found;
        }
        const CellUnits units = ReadCellFromTables(face);
        m_cells.insert(key, units);
        return units;
    }

    void Forget() {
        const QMutexLocker lock(&m_mutex);
        m_cells.clear();
    }

private:
    QMutex m_mutex;
    QHash<QString, CellUnits> m_cells;
};

} // namespace

bool RegisterTahomaIfMissing(const std::vector<std::string>& fontFolders) {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        return true;
    }
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        for (const std::string& folder : fontFolders) {
            const QString path =
                QDir(QString::fromStdString(folder)).filePath(QString::fromLatin1(file));
            if (QFile::exists(path)) {
                QFontDatabase::addApplicationFont(path);
                FaceCells::Instance().Forget();
                break;
            }
        }
    }
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"));
}

int EmForCellHeight(const QFont& face, int cellHeight) {
    const CellUnits units = FaceCells::Instance().Of(face);
    double em = 0;
    if (units.cell > 0 && units.unitsPerEm > 0) {
        em = double(cellHeight) * units.unitsPerEm / units.cell;
    } else {
        // A face without those tables (a bitmap font): Qt's own ascent plus descent.
        QFont probe = face;
        constexpr int kProbe = 1000;
        probe.setPixelSize(kProbe);
        const QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        em = cell > 0 ? cellHeight * kProbe / cell : cellHeight;
    }
    return std::max(1, int(std::lround(em)));
}

QFont TahomaFont(int cellHeight, int weight) {
    QFont font(QStringLiteral("Tahoma"));
    font.setWeight(QFont::Weight(weight == 700 ? QFont::Bold : QFont::Normal));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setPixelSize(std::max(1, cellHeight));
    font.setPixelSize(EmForCellHeight(font, cellHeight));
    return font;
}

} // namespace dashcam
