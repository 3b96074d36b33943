#include "backends/qt/time_label.h"

#include <QFontMetricsF>
#include <QPainter>

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
    const plates::TextFit fit =
        plates::FitTimeText(ink.left(), ink.right(), metrics.horizontalAdvance(text_), width());
    const double baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
    painter.translate(fit.origin, baseline);
    painter.scale(fit.narrowing, 1.0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPointF(0, 0), text_);
}

}  // namespace velmora::qt
