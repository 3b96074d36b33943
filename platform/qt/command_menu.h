// Form8: the sixteen buttons of places and commands. Created once, then only
// hidden and shown again, so the keyboard focus stays on the button clicked
// last.
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

    // captions: top to bottom. Nothing when the window system closed the menu.
    std::optional<std::string> Choose(const std::vector<std::string>& captions);

    QPushButton* button(int row) const { return buttons_.at(row); }

  private:
    std::array<QPushButton*, kButtonCount> buttons_{};
    QPushButton* focus_ = nullptr;
    std::optional<std::string> choice_;
};

}  // namespace velmora::qt
