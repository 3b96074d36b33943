// Form8: a button for each of the game's places and commands, laid out by
// what each is (player/menu_layout.h). Created once, then only hidden and
// shown again; it opens with the focus on the button pressed last (the
// keys' table, player/player_keys.h).
#pragma once

#include <QPushButton>
#include <optional>
#include <string>
#include <vector>

#include "backends/qt/game_dialog.h"
#include "platform/platform.h"
#include "player/menu_layout.h"

namespace velmora::qt {

class CommandMenu : public GameDialog {
    Q_OBJECT
  public:
    CommandMenu(QWidget* owner, const std::vector<MenuRow>& rows);

    // The whole window's width at the design's size.
    static int DesignWidth();

    const std::vector<MenuRow>& rows() const { return rows_; }

    // Nothing when the window system closed the menu.
    std::optional<std::string> Choose();
    // Answers the menu with what no button says: a key's command (F5, F9).
    void Answer(const std::string& command);

  private:
    // The rows laid out once, for the window's size and every button.
    CommandMenu(QWidget* owner, const std::vector<MenuRow>& rows, const menu::Layout& layout);

    std::vector<MenuRow> rows_;
    std::vector<QPushButton*> buttons_;  // one for each row, in the rows' order
    int pressedRow_ = -1;                // the button pressed last
    int firstRow_ = 0;                   // the first of the Tab order
    std::optional<std::string> choice_;
};

}  // namespace velmora::qt
