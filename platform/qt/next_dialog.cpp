#include "platform/qt/next_dialog.h"

#include "platform/qt/fonts.h"
#include "platform/qt/twips.h"

namespace velmora::qt {

NextDialog::NextDialog(QWidget* owner)
    : GameDialog(owner, "Form3", "   Click !", PxSize(930, 615)) {
    // The button is a little wider than the window and fills it.
    auto* next = AddButton("Command1", "NEXT", PxRect(0, 0, 975, 615), GameFont(kPGothic, 14.25));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);
}

void NextDialog::Wait(Twips at) {
    move(Px(at));
    exec();
}

}  // namespace velmora::qt
