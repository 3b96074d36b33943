#include "backends/qt/notice.h"

#include <QAccessibleWidget>

#include "backends/qt/fonts.h"
#include "backends/qt/window_scaler.h"
#include "player/comfort_timing.h"

namespace velmora::qt {

namespace {

constexpr int kMargin = 6;

// A screen reader speaks an alert as it shows, whatever has the focus: the
// notice is one, named by what it says.
class SpokenNotice : public QAccessibleWidget {
  public:
    explicit SpokenNotice(QWidget* notice) : QAccessibleWidget(notice, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

constexpr char kAlert[] = "velmoraAlert";

QAccessibleInterface* ReadAsAlert(const QString& className, QObject* object) {
    if (className == QLatin1String(QLabel::staticMetaObject.className()) &&
        object->property(kAlert).toBool())
        return new SpokenNotice(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

void SpeakWhenShown(QLabel* label) {
    static const bool told = (QAccessible::installFactory(ReadAsAlert), true);
    (void)told;
    label->setProperty(kAlert, true);
}

Notice::Notice(MainWindow& window) : QLabel(&window), window_(window) {
    SpeakWhenShown(this);
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
    hide();  // shown afresh, so that a screen reader speaks a second notice too
    show();
    raise();
    timer_.start(timing::NoticeMs(static_cast<int>(text.size())));
}

}  // namespace velmora::qt
