// The history: a read-only, scrollable list of the messages shown so far,
// newest at the bottom. It waits in its own modal loop above whatever
// dialog of the game is open and answers none of them; Escape closes it.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QStringList>

namespace velmora::qt {

class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    HistoryWindow(QWidget* over, const QStringList& messages);

  protected:
    void showEvent(QShowEvent* event) override;  // at the newest message

  private:
    QPlainTextEdit* text_;
};

}  // namespace velmora::qt
