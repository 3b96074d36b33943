// lblJikoku: the time of day on its plate ("AM 9:00", "PM 11:30"), fitted
// into the plate as the page fits it (player/plate_fit.h) at every scale
// and device pixel ratio: a text wider than its room is narrowed, never cut
// or run over the border.
#pragma once

#include <QString>
#include <QWidget>

namespace velmora::qt {

class TimeLabel : public QWidget {
    Q_OBJECT
  public:
    explicit TimeLabel(QWidget* plate);

    void SetTime(const QString& text);
    const QString& text() const { return text_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double OutlinePen() const;

    QString text_;
};

}  // namespace velmora::qt
