#include "platform/qt/notice.h"

#include "platform/qt/fonts.h"
#include "platform/qt/window_scaler.h"

namespace velmora::qt {

namespace {

constexpr int kMargin = 6;

}  // namespace

Notice::Notice(MainWindow& window) : QLabel(&window), window_(window) {
    setObjectName("notice");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(
        "QLabel { color: white; background: rgba(59, 45, 58, 200); border-radius: 6px;"
        " padding: 3px 8px; }");
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void Notice::Say(const QString& text) {
    const double scale = window_.scale();
    setFont(GameFont(kPGothic, 10 * scale));
    setText(text);
    adjustSize();
    const QPoint scene = window_.client()->geometry().topLeft() + window_.scene()->pos();
    move(scene + QPoint(Scaled(kMargin, scale), Scaled(kMargin, scale)));
    show();
    raise();
    timer_.start(kShownMs);
}

}  // namespace velmora::qt
