// A gamepad plays the game as the keyboard does: each button is a key of
// the player's key rules (keys::PadKey), pressed and let go where the
// keyboard's focus is. SDL's module is loaded only once a pad is plugged in
// (a joystick among the machine's input devices, looked for every two
// seconds) or asked for, never at start-up.
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "backends/qt/pad_module.h"

namespace velmora::qt {

class GamePad : public QObject {
    Q_OBJECT
  public:
    GamePad();
    ~GamePad() override;

    // Loads the module now, pad or not; false where it cannot be loaded.
    bool Load();
    // The module's pad made in the program, for the tests (after Load).
    PadReader* reader() const { return reader_.get(); }
    // The pad's buttons carried out now (the tests' pad, without waiting
    // for the next frame).
    void Poll();

  private:
    void LookForPad();

    std::unique_ptr<PadReader> reader_;
    bool tried_ = false;
    QTimer look_;  // for a pad plugged in, until the module is loaded
    QTimer poll_;  // the pad's buttons, once it is
};

}  // namespace velmora::qt
