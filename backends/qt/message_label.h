// lblMsg: the message window. Its caption always starts with one space and a
// line break, so the text itself begins at the left of the second line; a
// click on it is the one input of the main window.
#pragma once

#include <QString>

#include "backends/qt/clickable_label.h"

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
    // The caption as the game forms it, CR LF included.
    const QString& caption() const { return caption_; }
    // The message as a screen reader is told it.
    QString said() const { return text().trimmed(); }
    // While skipping passes messages, the window's name keeps still: a
    // screen reader hears only the message where skipping stops.
    void KeepName(bool kept);

  signals:
    // The text as the label now shows it (line breaks as "\n").
    void shown(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void SetCaption(const QString& caption);

    QString caption_;
    bool nameKept_ = false;
};

}  // namespace velmora::qt
