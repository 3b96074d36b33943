#include "backends/qt/slot_details_panel.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "backends/qt/fonts.h"
#include "backends/qt/main_window.h"
#include "backends/qt/screen_position.h"
#include "backends/qt/window_scaler.h"

namespace velmora::qt {

namespace {

constexpr int kGap = 4;  // design pixels between the list window and the panel
constexpr double kPoints = 10;
constexpr int kMargin = 8;
constexpr double kSmallest = 0.5;  // of the list's own scale, where no side has room

int Clamped(int at, int length, int from, int to) {
    return std::clamp(at, from, std::max(from, to - length));
}

}  // namespace

// A window of the main window's, as the list is: the window manager stacks
// it with the list even over a main window in full screen.
SlotDetailsPanel::SlotDetailsPanel(GameDialog* list, const std::vector<std::string>& lines)
    : QLabel(list->parentWidget() ? list->parentWidget() : list,
             Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      list_(list) {
    setObjectName("SlotDetails");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setAccessibleName("セーブデータの内容");
    if (lines.empty()) return;
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    setText(text.join("\n"));
    // Read whole here; the list says each slot's with its entry.
    setAccessibleDescription(text.join("\n"));
    list->installEventFilter(this);
}

// The list draws its own title bar, so its geometry is all of it, where the
// X server has it. A screen whose work area is not published yet is taken
// whole.
void SlotDetailsPanel::Place() {
    const QScreen* screen = list_->screen();
    const QRect area =
        screen->availableGeometry().isEmpty() ? screen->geometry() : screen->availableGeometry();
    // Clear of the plates and the message first, at any size; else as
    // large as a side holds it.
    for (const bool keepClear : {true, false}) {
        for (double size = 1.0; size >= kSmallest - 1e-9; size -= 0.1) {
            const double scale = list_->scale() * size;
            setFont(GameFont(kPGothic, kPoints * scale));
            setMargin(Scaled(kMargin, scale));
            adjustSize();
            resize(width() + Scaled(kMargin, scale), height());  // a fractional size's last glyph
            if (PlaceBeside(area, keepClear ? KeptInView() : std::vector<QRect>{})) return;
        }
    }
    const QRect list = ScreenGeometry(list_);
    move(Clamped(list.right() + 1, width(), area.left(), area.right() + 1),
         Clamped(list.top(), height(), area.top(), area.bottom() + 1));
}

// What the player reads while the list waits: the main window's plates and
// its message (the question the list answers).
std::vector<QRect> SlotDetailsPanel::KeptInView() const {
    auto* main = qobject_cast<MainWindow*>(list_->parentWidget());
    if (!main || !main->isVisible()) return {};
    std::vector<QRect> kept;
    for (const QWidget* part :
         {static_cast<QWidget*>(main->date()), static_cast<QWidget*>(main->place()),
          main->time()->parentWidget(), static_cast<QWidget*>(main->message())})
        kept.emplace_back(part->mapToGlobal(QPoint(0, 0)), part->size());
    return kept;
}

// Beside one side of the list, slid along it as little as it takes to stay
// clear of what is kept in view.
bool SlotDetailsPanel::PlaceBeside(QRect screen, const std::vector<QRect>& kept) {
    const QRect list = ScreenGeometry(list_);
    const int gap = Scaled(kGap, list_->scale());
    const int left = screen.left(), right = screen.right() + 1;
    const int top = screen.top(), bottom = screen.bottom() + 1;
    const int besideY = Clamped(list.top(), height(), top, bottom);
    const int alongX = Clamped(list.left(), width(), left, right);
    struct Side {
        QPoint at;
        bool vertical;  // slides up and down (beside), else left and right (below, above)
    };
    const Side sides[] = {
        {{list.right() + 1 + gap, besideY}, true},
        {{list.left() - gap - width(), besideY}, true},
        {{alongX, list.bottom() + 1 + gap}, false},
        {{alongX, list.top() - gap - height()}, false},
    };
    const auto fits = [&](QPoint at) {
        const QRect panel(at, size());
        return screen.contains(panel) && !panel.intersects(list) &&
               std::none_of(kept.begin(), kept.end(),
                            [&](const QRect& part) { return panel.intersects(part); });
    };
    for (const Side& side : sides) {
        const int reach = side.vertical ? screen.height() : screen.width();
        for (int slide = 0; slide <= reach; ++slide) {
            for (const int by : {slide, -slide}) {
                const QPoint at = side.at + (side.vertical ? QPoint(0, by) : QPoint(by, 0));
                if (fits(at)) {
                    move(at);
                    return true;
                }
            }
        }
    }
    return false;
}

// A window that takes no focus is stacked by the window manager below the
// one that has it (the main window, the list) when it first appears: it is
// raised again once it is up, the first time it is drawn.
void SlotDetailsPanel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (drawn_) return;
    drawn_ = true;
    QTimer::singleShot(0, this, &QWidget::raise);
}

bool SlotDetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_) return false;
    // Raised again once the list is up: the window manager stacks the list
    // and the main window after the list's first showing.
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize ||
        type == QEvent::WindowActivate) {
        Place();

        show();
        raise();  // above the main window the list stands on
    } else if (type == QEvent::Hide) {
        hide();
    }
    return false;
}

}  // namespace velmora::qt
