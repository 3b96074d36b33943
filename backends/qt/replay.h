// Playing it again, in the window program: going back a step (wheel up,
// Page Up, the left arrow) and forward again through the steps gone back to
// (wheel down, Page Down); skipping what has been read (Ctrl held, Tab at a
// NEXT, the menu) with the small 既読スキップ mark shown while it skips; and
// the story map (S, the menu; the title screen too). None of them answers a
// question, the name, a list or the menu for the player: going forward
// gives only the answers already given, and skipping passes NEXT alone.
#pragma once

#include <QLabel>
#include <QObject>
#include <functional>
#include <vector>

#include "backends/qt/album_window.h"
#include "backends/qt/game_session.h"
#include "backends/qt/main_window.h"
#include "backends/qt/story_map_window.h"
#include "replay/rollback.h"
#include "replay/skip.h"

class QKeyEvent;

namespace velmora::qt {

class Replay : public QObject {
    Q_OBJECT
  public:
    // storyMap: the rows of the story map as this player has it now.
    Replay(MainWindow& window, GameSession& session, Rollback& rollback, Skip& skip,
           std::function<StoryMapView()> storyMap);

    bool Back();     // false: no step to go back to
    bool Forward();  // false: no step gone back to
    bool CanGoBack() const { return rollback_.CanGoBack(); }
    bool CanGoForward() const { return rollback_.CanGoForward(); }
    void ToggleSkip();
    void HoldSkip(bool held);
    void StopSkipping();
    bool skipping() const { return skip_.active(); }
    void SkipUnreadToo(bool on) { skip_.SkipUnreadToo(on); }
    void OpenStoryMap();
    // album: the album's tiles as this player has them now.
    void ShowAlbumWith(std::function<AlbumView()> album) { album_ = std::move(album); }
    void OpenAlbum();

    // The platform calls it as each wait of the game's windows ends: a step
    // asked for meanwhile is taken then (StepBack or StepForward thrown).
    void TakeAskedStep();
    // A NEXT passed by skipping: its caption is painted, and what the player
    // pressed meanwhile is heard (a step back is taken).
    void Pace();

    QLabel* mark() const { return mark_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Step { kNone, kBack, kForward };

    bool Ask(Step step);
    bool OnKey(QWidget* window, const QKeyEvent* key);
    // After skipping changed while a NEXT waits: passes it, or stops at it.
    void AtNext();

    MainWindow& window_;
    GameSession& session_;
    Rollback& rollback_;
    Skip& skip_;
    std::function<StoryMapView()> storyMap_;
    std::function<AlbumView()> album_;
    QLabel* mark_;
    Step asked_ = Step::kNone;
    bool passing_ = false;
};

}  // namespace velmora::qt
