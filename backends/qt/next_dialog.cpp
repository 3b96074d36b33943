#include "backends/qt/next_dialog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <utility>

#include "backends/qt/fonts.h"
#include "backends/qt/twips.h"

namespace velmora::qt {

namespace {

QPointer<NextDialog> waiting;
QPointer<NextDialog> idle;  // up, waiting for nothing yet
bool puttingAway = false;
std::function<bool()> first;  // SetFirst
// Said with NEXT the first time the focus comes to it, and not again once
// NEXT has been put away (the focus comes back to it after a question).
constexpr char kWhatNextDoes[] = "次のメッセージへ進みます（Enter・Space）";

// The window only holds its button: a screen reader coming to NEXT hears
// the button, not the window's caption before it.
class UnnamedFrame : public QAccessibleWidget {
  public:
    explicit UnnamedFrame(QWidget* window) : QAccessibleWidget(window, QAccessible::Client) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? QString() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ReadAsFrame(const QString&, QObject* object) {
    return qobject_cast<NextDialog*>(object) ? new UnnamedFrame(static_cast<QWidget*>(object))
                                             : nullptr;
}

}  // namespace

const QEvent::Type NextDialog::kWaits = static_cast<QEvent::Type>(QEvent::registerEventType());

NextDialog::NextDialog(QWidget* owner)
    : GameDialog(owner, "Form3", "   Click !", PxSize(930, 615)) {
    // Modal to nothing: the windows below stay readable and scrollable,
    // and the game itself waits here only.
    setWindowModality(Qt::NonModal);
    SpokenAs(spoken::Wait::kNext);
    static const bool installed = (QAccessible::installFactory(ReadAsFrame), true);
    (void)installed;
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(this))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    // The button fills the window, its border whole.
    next_ = AddButton("Command1", "NEXT", PxRect(0, 0, 930, 615), GameFont(kPGothic, 14.25),
                      kWhatNextDoes);
    next_->setDefault(true);
    connect(next_, &QPushButton::clicked, this, [this] {
        if (!first || !first()) emit passed();
    });
    putAway_.setSingleShot(true);
    putAway_.setInterval(0);
    connect(&putAway_, &QTimer::timeout, this, &NextDialog::PutAwayIdle);
}

// The game goes from one message to the next without waiting in between:
// NEXT is put away only when the game waits on anything else, which lets
// the put-away timer run first.
void NextDialog::Wait(Twips at) {
    putAway_.stop();
    idle = nullptr;
    PlaceAt(Px(at));
    waiting = this;
    QEvent waits(kWaits);
    QCoreApplication::sendEvent(this, &waits);
    WaitFor(this, &NextDialog::passed);
    waiting = nullptr;
    if (isVisible()) {
        idle = this;
        putAway_.start();
    }
}

void NextDialog::hideEvent(QHideEvent* event) {
    GameDialog::hideEvent(event);
    next_->setAccessibleDescription({});
}

// Closed as the game closes its windows; the close is the game's, not
// the player's (Closing).
void NextDialog::PutAwayIdle() {
    if (!idle) return;
    const QPointer<NextDialog> next = std::exchange(idle, nullptr);
    puttingAway = true;
    next->done(QDialog::Accepted);
    puttingAway = false;
}

void NextDialog::SetFirst(std::function<bool()> what) {
    first = std::move(what);
}

bool NextDialog::PuttingAway() {
    return puttingAway;
}

NextDialog* NextDialog::Waiting() {
    return waiting && waiting->isVisible() ? waiting.data() : nullptr;
}

// The modal window on top may be the one this NEXT belongs to (the
// picture window); anything else covers it.
bool NextDialog::Answerable() const {
    if (waiting != this || !isVisible()) return false;
    const QWidget* modal = QApplication::activeModalWidget();
    for (const QWidget* owner = parentWidget(); modal && owner; owner = owner->parentWidget()) {
        if (owner == modal) return true;
    }
    return modal == nullptr;
}

bool NextDialog::Press() {
    if (!Answerable()) return false;
    next_->click();
    return true;
}

}  // namespace velmora::qt
