// Space and Enter answer a question, a list or the command menu only once
// the player has moved the focus in that window with Tab or an arrow key.
// The same keys press NEXT: a player going through a scene with them must
// not answer the question that follows by accident. The focus still starts
// where the game puts it, and clicks and the Y/N keys answer at once.
#pragma once

#include <QDialog>
#include <QObject>

namespace velmora::qt {

class ConfirmKeys : public QObject {
    Q_OBJECT
  public:
    // Watches the window and everything it holds when this is made.
    explicit ConfirmKeys(QDialog* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool OnKey(QObject* watched, const QKeyEvent* key);

    QDialog* window_;
    bool moved_ = false;  // the focus has been moved since the window opened
};

}  // namespace velmora::qt
