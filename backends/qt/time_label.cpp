#include "backends/qt/time_label.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "backends/qt/fonts.h"
#include "player/plate_fit.h"

namespace velmora::qt {

TimeLabel::TimeLabel(QWidget* plate) : QWidget(plate), text_("AM 9:00") {
    setObjectName("lblJikoku");
    setFont(GameFont(kPGothic, 20.25));
    setAccessibleDescription("時刻");
}

// A screen reader reads the time as words (MainWindow::ReadPlatesAs), not
// "AM 9:00" spelt out.
void TimeLabel::SetTime(const QString& text) {
    text_ = text;
    update();
}

// Measured with the font as it is drawn here (its size already scaled with
// the window), so that the fit holds at every size the glyphs come out in.
void TimeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    const QFontMetricsF metrics(font(), this);
    const QRectF ink = metrics.tightBoundingRect(text_);
    const double pen = OutlinePen();
    const plates::TextFit fit = plates::FitTimeText(ink.left() - pen / 2, ink.right() + pen / 2,
                                                    metrics.horizontalAdvance(text_), width());
    const double baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    painter.translate(fit.origin, baseline);
    painter.scale(fit.narrowing, 1.0);
    const QColor color = palette().color(QPalette::WindowText);
    if (pen == 0) {
        painter.setPen(color);
        painter.drawText(QPointF(0, 0), text_);
        return;
    }
    QPainterPath path;
    path.addText(QPointF(0, 0), font(), text_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, color);
    painter.strokePath(path, QPen(color, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// Glyphs larger than the painter keeps drawn (64 pixels: the time in full
// screen on a large screen) are drawn as bare outlines, without the weight
// the font is emboldened to: given back by a stroke around them, as thick
// as the font's own emboldening (a 24th of its size). 0: drawn as glyphs.
double TimeLabel::OutlinePen() const {
    constexpr double kLargestKeptGlyph = 64;
    const int pixels = QFontInfo(font()).pixelSize();
    if (!font().bold() || pixels * devicePixelRatioF() < kLargestKeptGlyph) return 0;
    return pixels / 24.0;
}

}  // namespace velmora::qt
