// The caption bar that the game's framed windows draw themselves. A window
// manager's frame hides the small windows' captions behind its buttons and
// offers a maximise button on windows that cannot grow; this bar shows the
// whole caption, a close button, and a minimise button where the window
// can be minimised. Dragging it moves the window.
#pragma once

#include <QAbstractButton>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <algorithm>

namespace velmora::qt {

// One of the bar's marks as a screen reader finds it: a named button it can
// press. The bar draws it and takes its clicks; this only stands over it.
class TitleMark : public QAbstractButton {
  public:
    TitleMark(QWidget* bar, const QString& name, const QString& does);

  protected:
    void paintEvent(QPaintEvent*) override {}
};

class TitleBar : public QWidget {
    Q_OBJECT
  public:
    enum class Buttons { Close, MinimiseAndClose };

    static constexpr int kDesignHeight = 18;  // pixels at the design's size

    TitleBar(QWidget* window, Buttons buttons);

    QRect closeButton() const;
    QRect minimiseButton() const;  // empty when the window has none
    // Where the caption is drawn; it is narrowed to fit, never cut.
    QRect captionArea() const;
    QString caption() const;

  signals:
    void captionPressed();  // the player takes the window by its caption, to drag it

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Press(bool close);
    // The buttons' side and margin, as the bar is drawn at its height.
    int ButtonSide() const { return height() * 14 / kDesignHeight; }
    int ButtonMargin() const { return std::max(1, height() * 2 / kDesignHeight); }
    void PaintButton(QPainter& painter, QRect box, bool close) const;

    Buttons buttons_;
    TitleMark* closeMark_;
    TitleMark* minimiseMark_ = nullptr;
    QRect pressedButton_;
    QPoint dragFrom_;  // the press, relative to the window, while dragging by hand
    bool dragging_ = false;
};

}  // namespace velmora::qt
