#include "platform/qt/yes_no_dialog.h"

#include "platform/qt/fonts.h"
#include "platform/qt/twips.h"

namespace velmora::qt {

namespace {
constexpr int kYes = 1;
constexpr int kNo = 2;
}  // namespace

// No owner: the game gives none, and the dialog still blocks every window.
YesNoDialog::YesNoDialog() : GameDialog(nullptr, "Form2", "    選択", PxSize(1005, 1095)) {
    const QFont font = GameFont(kPGothic, 12);
    // YES comes first in the tab order, so it has the focus when the dialog opens.
    auto* yes = AddButton("cmdYes", "ＹＥＳ", PxRect(0, 0, 1000, 540), font);
    auto* no = AddButton("cmdNo", "NO", PxRect(0, 550, 1000, 550), font);
    setTabOrder(yes, no);
    connect(yes, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(no, &QPushButton::clicked, this, [this] { done(kNo); });
}

YesNo YesNoDialog::Ask(Twips at) {
    move(Px(at));
    switch (exec()) {
        case kYes:
            return YesNo::Yes;
        case kNo:
            return YesNo::No;
        default:
            return YesNo::Closed;
    }
}

}  // namespace velmora::qt
