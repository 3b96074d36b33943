// While a window of the game waits modally (a question, the name, a list,
// the menu, a picture), the window system gives the main window no input,
// and Qt drops what the mouse does over it. Yet the wheel over the scene
// picture or the message, and the right button, act there as over the
// window that waits (back a step, forward, the comforts' menu), as they do
// while NEXT waits. Read off the X server's events for the main window.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include "backends/qt/game_dialog.h"
#include "backends/qt/main_window.h"

namespace velmora::qt {

class BlockedPointer : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    explicit BlockedPointer(MainWindow& window);
    ~BlockedPointer() override;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

  private:
    void Pressed(GameDialog* waiting, int button);

    MainWindow& window_;
    int xinput_ = -1;  // the X input extension's opcode, once known
};

}  // namespace velmora::qt
