// ストーリーマップ: every scene of the story by day and place, the ones
// this player has seen by their short title, the others as unseen with a
// hint shown below the map only when the player asks for it, one at a
// time; the count of scenes seen; and what is wrong with the file of the
// map's words, if anything. The game writes the rows (it knows the story and
// the player's record); this window only shows them.
#pragma once

#include <QLabel>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "backends/qt/comfort_window.h"

namespace velmora::qt {

struct StoryMapRow {
    std::string place;       // "" for the start and the digest
    int day = 1;             // 5: after the four days
    std::string dayCaption;  // "4月2日"
    std::string title;       // what an unseen row says in place of its title
    std::string hint;        // shown when asked
    bool seen = false;
};

// What the map shows: its rows, and what is wrong with the file of its
// words, said as a missing scenario file is ("" when nothing is).
struct StoryMapView {
    std::vector<StoryMapRow> rows;
    std::string trouble;
    std::string count;  // "見たシーン 12 / 50"
};

class StoryMapWindow : public ComfortWindow {
    Q_OBJECT
  public:
    StoryMapWindow(QWidget* over, const StoryMapView& view);

    // Shows the hint of the unseen row `row` (counted among all rows) below
    // the map, in place of the one shown before.
    void ShowHint(int row);

  protected:
    // The keys that move in the map move in it from the hint too: the hint
    // read, the player goes on down the rows.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddRow(QTreeWidgetItem* day, const StoryMapRow& row);

    QTreeWidget* tree_;
    QLabel* hint_;
    std::vector<StoryMapRow> rows_;
    std::vector<QTreeWidgetItem*> items_;
};

}  // namespace velmora::qt
