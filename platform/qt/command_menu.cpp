#include "platform/qt/command_menu.h"

#include <algorithm>

#include "platform/player_keys.h"
#include "platform/qt/confirm_keys.h"
#include "platform/qt/fonts.h"
#include "platform/qt/twips.h"

namespace velmora::qt {

namespace {

struct Row {
    const char* name;
    int left;
    int top;
    int tabIndex;
};

// Top to bottom. "終了" sits below "BGM" but comes before the window-move
// button in the Tab order; the last button lies outside the window, where
// only the keyboard reaches it.
constexpr std::array<Row, CommandMenu::kButtonCount> kRows{{
    {"Command2", 83, 0, 0},
    {"Command1", 83, 411, 1},
    {"Command3", 83, 822, 2},
    {"Command4", 83, 1233, 3},
    {"Command5", 83, 1644, 4},
    {"Command6", 83, 2055, 5},
    {"Command7", 83, 2466, 6},
    {"Command8", 83, 2877, 7},
    {"Command9", 83, 3288, 8},
    {"Command10", 83, 3699, 9},
    {"Command11", 83, 4110, 10},
    {"Command12", 83, 4521, 11},
    {"Command14", 83, 4932, 13},
    {"Command15", 83, 5343, 14},
    {"Command13", 83, 5760, 12},
    {"Command16", 6000, 6240, 15},
}};

constexpr double kClientWidth = 2160;
constexpr double kClientHeight = 6240;
constexpr double kButtonWidth = 2000;
constexpr double kButtonHeight = 380;

}  // namespace

CommandMenu::CommandMenu(QWidget* owner)
    : GameDialog(owner, "Form8", "　　移動場所 ＆ コマンド", PxSize(kClientWidth, kClientHeight)) {
    const QFont font = GameFont(kPGothic, 12);
    std::array<QPushButton*, kButtonCount> byTab{};
    for (int row = 0; row < kButtonCount; ++row) {
        const Row& r = kRows[row];
        QPushButton* button =
            AddButton(r.name, "", PxRect(r.left, r.top, kButtonWidth, kButtonHeight), font,
                      "このコマンドを選びます");
        connect(button, &QPushButton::clicked, this, [this, button, row] {
            choice_ = button->text().toStdString();
            pressedRow_ = row;
            accept();
        });
        buttons_[row] = button;
        byTab[r.tabIndex] = button;
        if (r.tabIndex == 0) firstRow_ = row;
    }
    for (int i = 1; i < kButtonCount; ++i) setTabOrder(byTab[i - 1], byTab[i]);
    // The game never moves the menu: it opens beside the main window.
    if (owner) PlaceAt(owner->geometry().topRight() + QPoint(1, 0));
    new ConfirmKeys(this);
}

QSize CommandMenu::DesignSize() {
    return PxSize(kClientWidth, kClientHeight) + QSize(0, TitleBar::kDesignHeight);
}

std::optional<std::string> CommandMenu::Choose(const std::vector<std::string>& captions) {
    const int count = std::min<int>(kButtonCount, static_cast<int>(captions.size()));
    for (int row = 0; row < count; ++row) {
        buttons_[row]->setText(QString::fromStdString(captions[row]));
    }
    choice_.reset();
    buttons_[keys::MenuFocus(pressedRow_, firstRow_)]->setFocus();
    exec();
    return choice_;
}

}  // namespace velmora::qt
