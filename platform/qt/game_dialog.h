// What the game's small windows share: a fixed client area, a fixed border
// (or none), application-modal showing, and no closing by the Escape key —
// they end only by their own buttons or the window system's close.
#pragma once

#include <QDialog>
#include <QEventLoop>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace velmora::qt {

class GameDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Border { Fixed, None };

    GameDialog(QWidget* owner, const char* name, const char* caption, QSize client,
               Border border = Border::Fixed);

    // Shows the window modally (if it is not yet shown) and waits until the
    // signal fires or the window is closed; true when the signal fired.
    template <typename Sender, typename Signal>
    bool WaitFor(const Sender* sender, Signal signal);

  protected:
    QPushButton* AddButton(const char* name, const char* caption, QRect geometry,
                           const QFont& font);
    void keyPressEvent(QKeyEvent* event) override;
};

template <typename Sender, typename Signal>
bool GameDialog::WaitFor(const Sender* sender, Signal signal) {
    QEventLoop loop;
    bool fired = false;
    const auto done = connect(sender, signal, &loop, [&] {
        fired = true;
        loop.quit();
    });
    const auto closed = connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    if (!isVisible()) show();
    loop.exec(QEventLoop::DialogExec);
    disconnect(done);
    disconnect(closed);
    return fired;
}

}  // namespace velmora::qt
