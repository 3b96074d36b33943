// A short, unobtrusive notice over the top-left corner of the main
// window's scene picture ("音楽を消しました"), answering a key that changes a
// comfort, or telling of a file of the player's that could not be read or
// kept; it goes away by itself and never takes a click. A screen reader
// speaks its words as it shows, wherever the focus is.
#pragma once

#include <QLabel>
#include <QTimer>

#include "backends/qt/main_window.h"

namespace velmora::qt {

class Notice : public QLabel {
    Q_OBJECT
  public:
    explicit Notice(MainWindow& window);

    void Say(const QString& text);

  private:
    MainWindow& window_;
    QTimer timer_;
};

}  // namespace velmora::qt
