#include "backends/qt/start_check.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>

namespace velmora::qt {

namespace {

constexpr int kLongestStartMs = 60000;

// Sees the first paint event inside the window: its own title bar and the
// stage cover the whole of it, so the window itself may never be painted,
// only what it holds. The frame reaches the window system when the paint is
// over, so the program ends at the next turn of the loop.
class FirstPaintWatch : public QObject {
  public:
    explicit FirstPaintWatch(QWidget& window) : QObject(&window), window_(window) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, &window_, [this] { Painted(); });
        }
        return false;
    }

  private:
    void Painted() {
        std::printf("velmora: the title window is painted (%d x %d)\n", window_.width(),
                    window_.height());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    QWidget& window_;
};

}  // namespace

void EndOnceFirstPainted(QWidget& window) {
    new FirstPaintWatch(window);  // owned by the window
    QTimer::singleShot(kLongestStartMs, &window, [] {
        std::fprintf(stderr, "velmora: the title window was not painted within a minute\n");
        QCoreApplication::exit(1);
    });
}

}  // namespace velmora::qt
