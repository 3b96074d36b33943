// The keys of a question, a list or the command menu, as the keys' table
// (player/player_keys.h) has them: Space and Enter act there only once
// the player has moved the focus with Tab, an arrow, Home or End, so that a
// player going through a scene with them never answers the question that
// follows by accident; the arrows step between the buttons, Home and End
// go to the first and the last, and in a list they move the highlight from
// the entry highlighted. The focus still starts
// where the game puts it, and clicks and the Y/N keys answer at once.
#pragma once

#include <QDialog>
#include <QObject>

class QKeyEvent;

namespace velmora::qt {

class ConfirmKeys : public QObject {
    Q_OBJECT
  public:
    // Watches the window and everything it holds when this is made.
    explicit ConfirmKeys(QDialog* window);

    // Enter and Space still wait in this window: the focus has not been moved.
    static bool Waiting(const QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool OnKey(const QKeyEvent* key);
    bool MoveInList(const QKeyEvent* key);
    void Step(bool back);
    void TellHowToChoose() const;
    bool Takes(const QWidget* widget) const;
    bool InSight(const QWidget* widget) const;
    void FocusEnd(bool last);
    void SetMoved(bool moved);

    QDialog* window_;
    bool moved_ = false;  // the focus has been moved since the window opened
};

}  // namespace velmora::qt
