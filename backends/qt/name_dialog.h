// Form4: the hero's name and nickname. It stays open across OK clicks until
// the game closes it, and keeps what was typed while it exists.
#pragma once

#include <QLineEdit>

#include "backends/qt/game_dialog.h"
#include "platform/platform.h"

namespace velmora::qt {

class NameDialog : public GameDialog {
    Q_OBJECT
  public:
    explicit NameDialog(QWidget* owner);

    void Open();
    // One OK click (the texts exactly as typed), or the window's closing.
    NameEntry WaitOk();

  signals:
    void okClicked();

  private:
    QLineEdit* AddTextBox(const char* name, const char* spoken, QRect geometry);

    QLineEdit* text1_;
    QLineEdit* text2_;
};

}  // namespace velmora::qt
