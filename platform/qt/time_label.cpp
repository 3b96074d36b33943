#include "platform/qt/time_label.h"

#include <QFontMetricsF>
#include <QPainter>

#include "platform/qt/fonts.h"

namespace velmora::qt {

TimeLabel::TimeLabel(QWidget* plate) : QWidget(plate), text_("AM 9:00") {
    setObjectName("lblJikoku");
    setFont(GameFont(kPGothic, 20.25));
    setAccessibleName("時刻");
}

void TimeLabel::SetTime(const QString& text) {
    text_ = text;
    setAccessibleDescription(text);
    update();
}

// Measured with the font as it is drawn here (its size already scaled with
// the window), so that the fit holds at every size the glyphs come out in.
void TimeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    const double scale = double(width()) / kDesignWidth;
    const double left = kRoomLeft * scale;
    const double room = (kRoomRight - kRoomLeft) * scale - 1;  // a pixel for rounding
    const QFontMetricsF metrics(font(), this);
    const QRectF ink = metrics.tightBoundingRect(text_);
    const double from = std::min(0.0, ink.left());
    const double wide = std::max(ink.right(), metrics.horizontalAdvance(text_)) - from;
    const double narrowing = wide > room ? room / wide : 1.0;
    const double baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    drawn_ = QRectF(left, 0, wide * narrowing, height());
    painter.translate(left - from * narrowing, baseline);
    painter.scale(narrowing, 1.0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPointF(0, 0), text_);
}

}  // namespace velmora::qt
