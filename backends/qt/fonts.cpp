#include "backends/qt/fonts.h"

#include <QGuiApplication>
#include <QString>

namespace velmora::qt {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8(kPGothic), "IPAPGothic");
    QFont::insertSubstitution(QString::fromUtf8(kGothic), "IPAGothic");
    QFont::insertSubstitution(QString::fromUtf8(kPMincho), "IPAPMincho");
}

void KeepBoldUnderScaleFactor() {
    if (qApp->devicePixelRatio() != 1.0) qputenv("QT_MAX_CACHED_GLYPH_SIZE", "1");
}

QFont GameFont(const char* face, double points, bool bold) {
    QFont font(QString::fromUtf8(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace velmora::qt
