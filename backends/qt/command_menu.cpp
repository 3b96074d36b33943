#include "backends/qt/command_menu.h"

#include "backends/qt/confirm_keys.h"
#include "backends/qt/fonts.h"
#include "backends/qt/twips.h"
#include "player/menu_layout.h"
#include "player/player_keys.h"

namespace velmora::qt {

namespace {

QSize ClientSize(const menu::Layout& layout) {
    return PxSize(layout.clientWidth, layout.clientHeight);
}

}  // namespace

CommandMenu::CommandMenu(QWidget* owner, const std::vector<MenuRow>& rows)
    : CommandMenu(owner, rows, menu::LayOut(rows)) {}

CommandMenu::CommandMenu(QWidget* owner, const std::vector<MenuRow>& rows,
                         const menu::Layout& layout)
    : GameDialog(owner, "Form8", "　　移動場所 ＆ コマンド", ClientSize(layout)), rows_(rows) {
    SpokenAs(spoken::Wait::kMenu);
    const QFont font = GameFont(kPGothic, 12);
    std::vector<QPushButton*> byTab(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        const menu::RowPlace& at = layout.rows[row];
        QPushButton* button =
            AddButton(menu::ButtonName(at.tab).c_str(), rows[row].caption.c_str(),
                      PxRect(at.left, at.top, menu::kButtonWidth, menu::kButtonHeight), font,
                      menu::Description(rows[row].kind));
        connect(button, &QPushButton::clicked, this, [this, row] {
            choice_ = rows_[row].caption;
            pressedRow_ = static_cast<int>(row);
            accept();
        });
        buttons_.push_back(button);
        byTab[at.tab] = button;
    }
    firstRow_ = layout.firstOfTab;
    for (size_t i = 1; i < byTab.size(); ++i) setTabOrder(byTab[i - 1], byTab[i]);
    // The game never moves the menu: it opens beside the main window.
    if (owner) PlaceAt(owner->geometry().topRight() + QPoint(1, 0));
    new ConfirmKeys(this);
}

int CommandMenu::DesignWidth() {
    return ClientSize(menu::LayOut({})).width();
}

std::optional<std::string> CommandMenu::Choose() {
    choice_.reset();
    if (!buttons_.empty()) buttons_[keys::MenuFocus(pressedRow_, firstRow_)]->setFocus();
    exec();
    return choice_;
}

void CommandMenu::Answer(const std::string& command) {
    choice_ = command;
    accept();
}

}  // namespace velmora::qt
