// The history: a read-only, scrollable list of the messages shown so far,
// newest at the bottom. It waits in its own modal loop above whatever
// dialog of the game is open and answers none of them; Escape, its close
// button and its title bar's close it.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include "backends/qt/comfort_window.h"

namespace velmora::qt {

class HistoryWindow : public ComfortWindow {
    Q_OBJECT
  public:
    HistoryWindow(QWidget* over, const QStringList& messages);

  protected:
    void showEvent(QShowEvent* event) override;  // at the newest message

  private:
    QPlainTextEdit* text_;
};

}  // namespace velmora::qt
