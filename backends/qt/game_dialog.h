// What the game's small windows share: a fixed client area below their own
// title bar (or no border at all), application-modal showing, no closing by
// the Escape key — they end only by their own buttons or the window
// system's close — and a place and size of the design that the stage may
// scale (full screen, a screen too small for the design).
#pragma once

#include <QDialog>
#include <QEventLoop>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <optional>

#include "backends/qt/title_bar.h"
#include "player/spoken_waits.h"

namespace velmora::qt {

class GameDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Border { Fixed, None };

    GameDialog(QWidget* owner, const char* name, const char* caption, QSize client,
               Border border = Border::Fixed);

    // The design's client area; the window's controls live in it.
    QWidget* client() const { return client_; }
    TitleBar* titleBar() const { return bar_; }  // none without a border

    // Where the game put the window (its top-left) and its whole size, in
    // the design's pixels.
    QPoint designPosition() const { return designPosition_; }
    QSize designSize() const { return designSize_; }
    // The game's own placement; the stage maps it when it scales the windows.
    void PlaceAt(QPoint designPosition);
    // Drawn at this many times the design's size; 1 restores the design.
    void SetScale(double scale);
    double scale() const { return scale_; }

    // Shows the window modally (if it is not yet shown) and waits until the
    // signal fires or the window is closed; true when the signal fired.
    template <typename Sender, typename Signal>
    bool WaitFor(const Sender* sender, Signal signal);

    // What the window waits for, as a screen reader is told it; none for a
    // window that tells only itself (the picture window).
    std::optional<spoken::Wait> spokenAs() const { return spokenAs_; }
    // Its caption as a screen reader names it: as drawn, or where none is
    // drawn what the window is.
    QString spokenCaption() const;
    // What a screen reader says of the window as it opens: its name (the
    // message's first line, 「データをロードしますか？」, or its caption where
    // the message was just told) and what follows it; the caption stays as
    // drawn.
    void TellScreenReader(const spoken::Told& told);

  protected:
    // description: what a screen reader says the button does.
    QPushButton* AddButton(const char* name, const char* caption, QRect geometry, const QFont& font,
                           const char* description);
    void SpokenAs(spoken::Wait wait, const char* caption = "") {
        spokenAs_ = wait;
        spokenCaption_ = QString::fromUtf8(caption);
    }
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool OwnsOpenDialog() const;

    TitleBar* bar_ = nullptr;
    QWidget* client_;
    QSize designSize_;
    QPoint designPosition_;
    double scale_ = 1.0;
    std::optional<spoken::Wait> spokenAs_;
    QString spokenCaption_;
};

// A window of the game is open (the main window is not counted).
bool GameDialogOpen();

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
