// The details beside the slot list: for each of "file1" … "file5" what it
// holds, as the game describes it (the date, time and place of the save,
// the hero's name, when the file was written; or empty, or unreadable). It
// only looks: the list window keeps its size, place and entries, and what
// the player picks is still the slot's name.
#pragma once

#include <QLabel>
#include <functional>
#include <string>
#include <vector>

namespace velmora::qt {

// The game's words for one slot ("file2　4月3日 PM 2:30　公園　中村（ナカ）").
using SlotDescriber = std::function<std::string(const std::string& slot)>;

class SlotDetailsPanel : public QLabel {
    Q_OBJECT
  public:
    // Stands to the right of `list` while it is shown, when its entries are
    // the save slots; otherwise it is never shown.
    SlotDetailsPanel(QWidget* list, const std::vector<std::string>& entries,
                     const SlotDescriber& describe);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Place();

    QWidget* list_;
};

}  // namespace velmora::qt
