// The details beside the slot list: for each of "file1" … "file5" what it
// holds, in the game's words (app/slot_lines.h: the date, time and place of
// the save, the hero's name, when the file was written; that it loads only
// in part, is empty, or cannot be read). It only looks: the list window
// keeps its size, place and entries, and what the player picks is still
// the slot's name. It stands wholly on the screen beside the list, never
// over it: to the right where the screen has room, else to the left, below
// or above, drawn as large as the list is, smaller only where no side has
// room for it; clear of the main window's plates and message wherever a side
// is, slid along it as far as that takes.
#pragma once

#include <QLabel>
#include <functional>
#include <string>
#include <vector>

#include "backends/qt/game_dialog.h"

namespace velmora::qt {

// The details of each of the slots given.
using SlotDescriber = std::function<std::vector<std::string>(const std::vector<std::string>&)>;

class SlotDetailsPanel : public QLabel {
    Q_OBJECT
  public:
    // Shown while `list` is, when there are lines to show.
    SlotDetailsPanel(GameDialog* list, const std::vector<std::string>& lines);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Place();
    // false: no side has room at this size, clear of the list and of `kept`.
    bool PlaceBeside(QRect screen, const std::vector<QRect>& kept);
    std::vector<QRect> KeptInView() const;

    GameDialog* list_;
    bool drawn_ = false;
};

}  // namespace velmora::qt
