// Form5: a pick-one list (save slots, room commands) with an OK button.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "backends/qt/game_dialog.h"
#include "platform/platform.h"

namespace velmora::qt {

class ListDialog : public GameDialog {
    Q_OBJECT
  public:
    // described: what a screen reader says of each entry after its name
    // (the slot details), if anything.
    ListDialog(QWidget* owner, const std::vector<std::string>& entries,
               const std::vector<std::string>& described = {});

    // The entry chosen last before the window closed, if any.
    std::optional<std::string> Choose(Twips at);

  private:
    std::optional<std::string> chosen_;
};

}  // namespace velmora::qt
