#include "backends/qt/clickable_label.h"

#include <QMouseEvent>

namespace velmora::qt {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

}  // namespace velmora::qt
