#include "backends/qt/plate_picture.h"

#include <QPainter>
#include <QPixmap>

namespace velmora::qt {

PlatePicture::PlatePicture(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PlatePicture::Show(const QImage& picture, const QImage& large) {
    large_ = large;
    if (picture.isNull()) {
        clear();
    } else {
        setPixmap(QPixmap::fromImage(picture));
    }
}

void PlatePicture::paintEvent(QPaintEvent*) {
    const QPixmap picture = pixmap();
    if (picture.isNull()) return;
    QPainter painter(this);
    const double scale = double(width()) / kDesignWidth;
    if (scale == 1.0 && devicePixelRatioF() == 1.0) {
        painter.drawPixmap(0, 0, picture);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF target(0, 0, picture.width() * scale, picture.height() * scale);
    if (!large_.isNull() && scale * devicePixelRatioF() > 1.0) {
        painter.drawImage(target, large_);
    } else {
        painter.drawPixmap(target, picture, picture.rect());
    }
}

}  // namespace velmora::qt
