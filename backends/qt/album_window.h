// アルバム: every picture of the album (player/album.h) as a grid of small
// pictures, those this player has not seen yet as blank tiles that show
// nothing of them; a seen one opens full size by a click or Enter, and
// Escape or a click on it closes it again. A screen reader reads each tile
// by its picture's words, a blank one as "まだ見ていない絵".
#pragma once

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <functional>
#include <string>
#include <vector>

#include "backends/qt/clickable_label.h"
#include "backends/qt/comfort_window.h"
#include "player/album.h"

namespace velmora::qt {

struct AlbumTile {
    album::Picture picture;
    bool seen = false;
};

// What the album shows: its tiles in order, and how a picture file is read.
struct AlbumView {
    std::vector<AlbumTile> tiles;
    std::function<QImage(const std::string& file)> load;
};

class AlbumWindow : public ComfortWindow {
    Q_OBJECT
  public:
    AlbumWindow(QWidget* over, AlbumView view);

    // Opens tile `tile`'s picture full size, if it has been seen.
    void Open(int tile);
    // Back to the grid, on the tile that was open.
    void CloseOpened();
    bool opened() const { return pages_->currentIndex() == 1; }

  protected:
    void reject() override;  // Escape closes the picture open first
    bool eventFilter(QObject* watched, QEvent* event) override;  // the list resized

  private:
    QImage Lit(const AlbumTile& tile) const;
    void FitTiles();
    void FitOpened();

    AlbumView view_;
    QStackedWidget* pages_;
    QListWidget* grid_;
    ClickableLabel* full_;
    QImage opened_;  // the picture open, in its light, at its own size
};

}  // namespace velmora::qt
