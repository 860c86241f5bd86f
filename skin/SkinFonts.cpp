#include "skin/SkinFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace dashcam {

bool RegisterTahomaIfMissing() {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        return true;
    }
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        for (const char* folder : {"/usr/share/wine/fonts/", "/usr/share/fonts/truetype/wine/"}) {
            const QString path = QString::fromLatin1(folder) + QString::fromLatin1(file);
            if (QFile::exists(path)) {
                QFontDatabase::addApplicationFont(path);
                break;
            }
        }
    }
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"));
}

} // namespace dashcam
