// Form8: the sixteen buttons of places and commands. Created once, then only
// hidden and shown again; it opens with the focus on the button pressed last
// (the keys' table, platform/player_keys.h).
#pragma once

#include <QPushButton>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/game_dialog.h"

namespace velmora::qt {

class CommandMenu : public GameDialog {
    Q_OBJECT
  public:
    static constexpr int kButtonCount = 16;

    explicit CommandMenu(QWidget* owner);

    // The whole window at the design's size, its title bar included.
    static QSize DesignSize();

    // captions: top to bottom. Nothing when the window system closed the menu.
    std::optional<std::string> Choose(const std::vector<std::string>& captions);

    QPushButton* button(int row) const { return buttons_.at(row); }

  private:
    std::array<QPushButton*, kButtonCount> buttons_{};
    int pressedRow_ = -1;  // the button pressed last
    int firstRow_ = 0;     // the first of the Tab order
    std::optional<std::string> choice_;
};

}  // namespace velmora::qt
