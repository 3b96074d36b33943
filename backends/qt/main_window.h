// Form1, the main window, in its design state: this is also the title screen.
// It only draws what it is told and reports the label's click, its first
// showing, minimising and restoring, and its closing.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <optional>

#include "backends/qt/announcer.h"
#include "backends/qt/design_pictures.h"
#include "backends/qt/message_label.h"
#include "backends/qt/plate_picture.h"
#include "backends/qt/scene_picture.h"
#include "backends/qt/time_label.h"
#include "backends/qt/title_bar.h"
#include "player/plate_news.h"

namespace velmora::qt {

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    MainWindow();

    MessageLabel* message() const { return lblMsg_; }
    ScenePicture* scene() const { return picMain_; }
    QLabel* side() const { return imgSub_; }
    PlatePicture* date() const { return picHinichi_; }
    PlatePicture* place() const { return picBasho_; }
    TimeLabel* time() const { return lblJikoku_; }
    // The design's client area, below the title bar.
    QWidget* client() const { return client_; }
    TitleBar* titleBar() const { return bar_; }

    // The time of day in the time plate.
    void ShowTime(const QString& text) { lblJikoku_->SetTime(text); }
    // The plates as a screen reader reads them ("4月1日", "午前9時",
    // "アパート"); an empty date keeps the date's words.
    void ReadPlatesAs(const QString& date, const QString& time, const QString& place);
    // The words of the plates changed since they were last told, told now.
    QString TellPlateNews() { return QString::fromStdString(plateNews_.Tell()); }
    // What a screen reader speaks wherever the focus is.
    Announcer& announcer() { return announcer_; }
    // The title screen's pictures, plates and time, no portrait in view.
    void ShowDesignPictures();

    // The whole window at the design's size, title bar included; the
    // client area alone.
    static QSize DesignSize();
    static QSize DesignClientSize();
    // Framed, at this many times the design's size (1: the design itself).
    void Lay(double scale);
    // Full screen: the client area alone, scaled, with its top-left at
    // clientAt; the rest of the screen is black.
    void LayFullScreen(double scale, QPoint clientAt);
    double scale() const { return scale_; }
    // While it is set (full screen), the game sees this position instead
    // of where the window stands.
    void KeepGamePosition(std::optional<QPoint> position) { keptPosition_ = position; }
    QPoint GamePosition() const { return keptPosition_.value_or(pos()); }

  signals:
    void resized();  // first shown, minimised or restored
    void laidOut();  // at a new scale, framed or full screen
    void closing();  // closed through the window system

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    PlatePicture* Plate(const char* name, int top, DesignPlate plate);
    void AddHiddenLabels();
    void ScaleClient(double scale, QPoint at);

    TitleBar* bar_;
    QWidget* client_;
    ScenePicture* picMain_;
    QLabel* imgSub_;
    PlatePicture* picHinichi_;
    PlatePicture* picBasho_;
    PlatePicture* picture3_;
    TimeLabel* lblJikoku_;
    MessageLabel* lblMsg_;
    double scale_ = 1.0;
    bool fullScreen_ = false;
    std::optional<QPoint> keptPosition_;
    bool shownOnce_ = false;
    bool paintedOnce_ = false;
    plates::PlateNews plateNews_;
    Announcer announcer_;
};

}  // namespace velmora::qt
