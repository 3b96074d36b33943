// lblMsg: the message window. Its caption always starts with one space and a
// line break, so the text itself begins at the left of the second line; a
// click on it is the one input of the main window.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include "backends/qt/clickable_label.h"
#include "player/comfort_timing.h"

namespace velmora::qt {

class MessageLabel : public ClickableLabel {
    Q_OBJECT
  public:
    explicit MessageLabel(QWidget* parent);

    // text: the message without the leading " " + CR LF.
    void SetMessage(const QString& text);
    // While the message waits for its click (the title, window-move mode) it
    // holds the focus, where a screen reader reads it and Enter or Space
    // clicks it; inside the game the focus is the game windows' alone, and a
    // screen reader hears each message once, with NEXT.
    void Wait(bool waits);
    // What a screen reader is told besides while the message waits at the
    // title (the automatic save 続きから would begin from); none clears it.
    void AlsoTell(const QString& words);
    // The caption as the game forms it, CR LF included.
    const QString& caption() const { return caption_; }
    // The message as a screen reader is told it.
    QString said() const { return text().trimmed(); }
    // While skipping passes messages, the window's name keeps still: a
    // screen reader hears only the message where skipping stops; and each
    // message shows whole at once.
    void KeepName(bool kept);

    // How fast each new message appears, letter by letter (one of
    // timing::kTextSpeeds); the game's own speed shows it whole at once.
    void SetTextSpeed(int speed);
    // The message is still appearing: a press of NEXT or a click on it
    // shows it whole (ShowWhole) rather than passing it.
    bool appearing() const { return letters_ >= 0; }
    // Shows the whole message now; false when it already showed whole.
    bool ShowWhole();
    // The message as it is drawn now, "\n" for its line breaks.
    QString drawn() const;
    // From a step back or forward until the wait after it ends, messages
    // show whole at once: the player has read them.
    void Restoring(bool restoring) { restoring_ = restoring; }
    // While held, the letters' clock stands (the contract's host holds it
    // to see a message appearing): no more letters show until let go.
    void HoldClock(bool held);

  signals:
    // The text as the label now shows it (line breaks as "\n"); a screen
    // reader is given it whole, even while it appears.
    void shown(const QString& text);
    // The message that was appearing now shows whole.
    void whole();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void SetCaption(const QString& caption);
    void Describe();
    void Tick();
    void PaintAppearing(QPainter& painter);

    QString caption_;
    QString also_;  // AlsoTell
    bool waits_ = true;
    bool nameKept_ = false;
    bool restoring_ = false;
    int speed_ = timing::kDefaultTextSpeed;
    int letters_ = -1;  // the characters of text() drawn while appearing; -1: all
    QTimer frames_;     // a frame of the appearing text
    QElapsedTimer clock_;
    bool held_ = false;
};

}  // namespace velmora::qt
