// What the comforts' own windows share (the history, the settings, the
// story map): the game's own title bar with its close button, so that the
// window manager draws no frame of its own and offers no maximise button;
// a place over the main window where the web page puts the same window,
// drawn at the main window's scale (a desktop scale factor on a small
// screen, full screen, larger text), never larger than the screen nor off
// it. Application-modal: they stand above every window of the game and
// answer none of them.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QSize>

#include "backends/qt/title_bar.h"

namespace velmora::qt {

class ComfortWindow : public QDialog {
    Q_OBJECT
  public:
    // place: the window's top-left from the main window's client area, in
    // design pixels; design: its size at the design's scale, or empty where
    // its contents decide it.
    ComfortWindow(QWidget* over, const char* name, const char* caption, QPoint place,
                  QSize design = {});

    TitleBar* titleBar() const { return bar_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Place();

    QWidget* over_;
    TitleBar* bar_;
    QPoint place_;
    QSize design_;
    // What had the keyboard's focus as it opened, which has it again as it
    // closes: the window system would give it to the main window alone.
    QPointer<QWidget> focusedBefore_;
};

}  // namespace velmora::qt
