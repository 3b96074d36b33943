// The message window and the windows that wait, hidden by the player (V,
// the middle button) so that the scene shows whole; the next key or click
// shows them again and does nothing else, its letting go included.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace velmora::qt {

class MainWindow;

class HiddenWindows : public QObject {
    Q_OBJECT
  public:
    explicit HiddenWindows(MainWindow& window);

    bool hidden() const { return hidden_; }
    void Hide();
    void Show();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Release();

    MainWindow& window_;
    bool hidden_ = false;
    bool watching_ = false;                      // the filter is in place, first of all
    Qt::MouseButton heldButton_ = Qt::NoButton;  // the button that showed them, till let go
    std::vector<QPointer<QWidget>> windows_;     // hidden with the message, to show again
};

}  // namespace velmora::qt
