#include "platform/qt/next_dialog.h"

#include <QApplication>

#include "platform/qt/fonts.h"
#include "platform/qt/twips.h"

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
    // The button is a little wider than the window and fills it.
    next_ = AddButton("Command1", "NEXT", PxRect(0, 0, 975, 615), GameFont(kPGothic, 14.25),
                      kWhatNextDoes);
    next_->setDefault(true);
    connect(next_, &QPushButton::clicked, this, &QDialog::accept);
}

void NextDialog::Wait(Twips at) {
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
    next_->setAccessibleDescription(message + "\n" + QString::fromUtf8(kWhatNextDoes));
}

bool NextDialog::Press() {
    if (!Answerable()) return false;
    next_->click();
    return true;
}

}  // namespace velmora::qt
