#include "skin/SkinFonts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
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

CellUnits CellFromTables(const QFont& face) {
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
                break;
            }
        }
    }
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"));
}

int EmForCellHeight(const QFont& face, int cellHeight) {
    const CellUnits units = CellFromTables(face);
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
