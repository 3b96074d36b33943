#include "backends/qt/next_dialog.h"

#include <QApplication>

#include "backends/qt/fonts.h"
#include "backends/qt/twips.h"

namespace velmora::qt {

namespace {

QPointer<NextDialog> waiting;
constexpr char kWhatNextDoes[] = "次のメッセージへ進みます（Enter・Space）";

}  // namespace

NextDialog::NextDialog(QWidget* owner)
    : GameDialog(owner, "Form3", "   Click !", PxSize(930, 615)) {
    // Modal to nothing: the windows below stay readable and scrollable,
    // and the game itself waits here only.
    setWindowModality(Qt::NonModal);
    AddNext();
}

// A new button for every message: a screen reader that hears late of the
// last one going still takes the focus on this one for a new object, and
// speaks it, rather than for the button it has just spoken.
void NextDialog::AddNext() {
    delete next_;
    // The button fills the window, its border whole.
    next_ = AddButton("Command1", "NEXT", PxRect(0, 0, 930, 615), GameFont(kPGothic, 14.25),
                      kWhatNextDoes);
    next_->setDefault(true);
    connect(next_, &QPushButton::clicked, this, &QDialog::accept);
    if (scale() != 1.0) SetScale(scale());
    if (isVisible()) {
        next_->show();
        next_->setFocus();
    }
}

void NextDialog::Wait(Twips at) {
    if (told_) AddNext();
    told_ = false;
    PlaceAt(Px(at));
    waiting = this;
    WaitFor(next_, &QPushButton::clicked);
    waiting = nullptr;
}

NextDialog* NextDialog::Waiting() {
    return waiting && waiting->isVisible() ? waiting.data() : nullptr;
}

// The modal window on top may be the one this NEXT belongs to (the
// picture window); anything else covers it.
bool NextDialog::Answerable() const {
    if (!isVisible()) return false;
    const QWidget* modal = QApplication::activeModalWidget();
    for (const QWidget* owner = parentWidget(); modal && owner; owner = owner->parentWidget()) {
        if (owner == modal) return true;
    }
    return modal == nullptr;
}

void NextDialog::TellScreenReader(const QString& message) {
    told_ = true;
    next_->setAccessibleDescription(message + "\n" + QString::fromUtf8(kWhatNextDoes));
}

bool NextDialog::Press() {
    if (!Answerable()) return false;
    next_->click();
    return true;
}

}  // namespace velmora::qt
