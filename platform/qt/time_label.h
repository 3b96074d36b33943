// lblJikoku: the time of day on its plate ("AM 9:00", "PM 11:30"). The
// text is drawn inside the plate's border and clear of the clock icon at
// every scale and device pixel ratio: a text wider than that room is
// narrowed, never cut or run over the border.
#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>

namespace velmora::qt {

class TimeLabel : public QWidget {
    Q_OBJECT
  public:
    // The label's design width, and the room its text has inside it, in
    // design pixels from the label's left edge.
    static constexpr int kDesignWidth = 121;
    static constexpr double kRoomLeft = 2;
    static constexpr double kRoomRight = 116;

    explicit TimeLabel(QWidget* plate);

    void SetTime(const QString& text);
    const QString& text() const { return text_; }
    // Where the text was last drawn, in the label's pixels.
    QRectF drawn() const { return drawn_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QRectF drawn_;
};

}  // namespace velmora::qt
