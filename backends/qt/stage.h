// Where the game's windows stand on the screen and how large they are drawn:
// at the design's size where the design fits the screen; scaled down as a
// whole where it does not (a desktop scale factor on a small screen); larger
// by the player's comfort (larger text) where the screen has room; scaled
// up to fill the screen on black bars in full screen (F11). The game keeps
// seeing the positions of its design: the stage maps every window the game
// places onto the main window as it is drawn, and keeps each on the screen.
// The command menu stands beside the main window (right of it, or left of
// it at the screen's right edge), or where the player last
// dragged it by the main window, for the rest of the game; where there is no
// room beside it, over the main window's right side, clear of the plates and
// of the title bar's buttons, the main window drawn a little smaller for it
// where it must be. It is never drawn smaller than its design in the
// screen's own pixels.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <optional>

#include "backends/qt/game_dialog.h"
#include "backends/qt/main_window.h"

namespace velmora::qt {

class Stage : public QObject {
    Q_OBJECT
  public:
    explicit Stage(MainWindow& window);

    void ToggleFullScreen();
    bool fullScreen() const { return fullScreen_; }
    double scale() const { return scale_; }  // the main window's

    // The main window at the largest scale up to the design's that fits its
    // screen; the open dialogs follow.
    void Fit();
    // The scale the player chose over the design's (larger text); the
    // window is laid at it at once where the screen holds it.
    void SetComfortScale(double scale);
    // A dialog of the game about to be shown, or shown when the stage changes.
    void Place(GameDialog* dialog);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Enter();
    void Leave();
    void PlaceOpenDialogs();
    void PlaceMenu(GameDialog* menu);
    void MoveMenu(GameDialog* menu, QPoint at);
    void MenuTaken() { menuTaken_ = true; }
    double SmallestMenuScale(const GameDialog* menu) const;
    double SmallestScale(QSize design) const;
    void MakeRoomForMenu();
    bool RoomForMenu(double scale, QPoint client) const;
    QSize MenuDesignSize() const;
    QPoint FullScreenClient(double scale) const;
    double FittedScale() const;
    QRect Screen() const;
    QPoint ClientOnScreen() const;

    MainWindow& window_;
    double scale_ = 1.0;
    double comfortScale_ = 1.0;
    bool fullScreen_ = false;
    QRect normal_;     // the window before full screen
    QPoint clientAt_;  // the client area's top-left on the screen, in full screen
    // Where the player dragged the menu, from the main window's client area
    // in design pixels; where the stage itself put it last.
    std::optional<QPoint> menuPlace_;
    QPoint menuPlacedAt_;
    bool keyboardBack_ = false;  // full screen toggled: NEXT takes the keyboard back
    bool menuTaken_ = false;     // the player has taken the menu by its caption
};

}  // namespace velmora::qt
