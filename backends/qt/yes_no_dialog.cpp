#include "backends/qt/yes_no_dialog.h"

#include "backends/qt/confirm_keys.h"
#include "backends/qt/fonts.h"
#include "backends/qt/twips.h"

namespace velmora::qt {

namespace {
constexpr int kYes = 1;
constexpr int kNo = 2;
}  // namespace

// The game gave the question no owner, and the window system then let any
// window opened over it (the settings) push it behind the main window. Owned
// by the main window it stays above it; being modal, it still blocks every
// window of the game.
YesNoDialog::YesNoDialog(QWidget* over)
    : GameDialog(over, "Form2", "    選択", PxSize(1005, 1095)) {
    SpokenAs(spoken::Wait::kQuestion);
    const QFont font = GameFont(kPGothic, 12);
    // YES comes first in the tab order, so it has the focus when the dialog opens.
    yes_ = AddButton("cmdYes", "ＹＥＳ", PxRect(0, 0, 1000, 540), font, "質問に「はい」と答えます");
    // NO ends at the window's bottom edge, its border whole.
    no_ = AddButton("cmdNo", "NO", PxRect(0, 550, 1000, 545), font, "質問に「いいえ」と答えます");
    setTabOrder(yes_, no_);
    yes_->setFocus();  // before the window is even active
    connect(yes_, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(no_, &QPushButton::clicked, this, [this] { done(kNo); });
    new ConfirmKeys(this);
}

void YesNoDialog::Press(YesNo answer) {
    (answer == YesNo::Yes ? yes_ : no_)->click();
}

YesNo YesNoDialog::Ask(Twips at) {
    PlaceAt(Px(at));
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
