#include "backends/qt/notice.h"

#include "backends/qt/fonts.h"
#include "backends/qt/window_scaler.h"
#include "player/comfort_timing.h"

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

// A notice longer than the scene is wide is wrapped onto more lines, and
// stays long enough to be read.
void Notice::Say(const QString& text) {
    const double scale = window_.scale();
    setFont(GameFont(kPGothic, 10 * scale));
    setText(text);
    setWordWrap(false);
    adjustSize();
    const int room = window_.scene()->width() - 2 * Scaled(kMargin, scale);
    if (width() > room) {
        setWordWrap(true);
        resize(room, heightForWidth(room));
    }
    const QPoint scene = window_.client()->geometry().topLeft() + window_.scene()->pos();
    move(scene + QPoint(Scaled(kMargin, scale), Scaled(kMargin, scale)));
    show();
    raise();
    window_.announcer().Say(text);
    timer_.start(timing::NoticeMs(static_cast<int>(text.size())));
}

}  // namespace velmora::qt
