// Form1, the main window, in its design state: this is also the title screen.
// It only draws what it is told and reports the label's click, its first
// showing, minimising and restoring, and its closing.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "platform/qt/message_label.h"
#include "platform/qt/scene_picture.h"

namespace velmora::qt {

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    MainWindow();

    MessageLabel* message() const { return lblMsg_; }
    ScenePicture* scene() const { return picMain_; }
    QLabel* side() const { return imgSub_; }
    QLabel* date() const { return picHinichi_; }
    QLabel* place() const { return picBasho_; }
    QLabel* time() const { return lblJikoku_; }

    // The time of day in the time plate, narrowed when it would not fit.
    void ShowTime(const QString& text);
    // The title screen's pictures, plates and time, no portrait in view.
    void ShowDesignPictures();

    // Full screen: the design drawn scale times its size from offset, on
    // black. The game keeps seeing the position the window had before.
    void SetStage(double scale, QPoint offset);
    QPoint GamePosition() const { return scale_ == 1.0 ? pos() : designPos_; }

  signals:
    void resized();  // first shown, minimised or restored
    void closing();  // closed through the window system

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel* Plate(const char* name, int top, const QImage& picture);
    void AddHiddenLabels();

    QPixmap background_;
    ScenePicture* picMain_;
    QLabel* imgSub_;
    QLabel* picHinichi_;
    QLabel* picBasho_;
    QLabel* picture3_;
    QLabel* lblJikoku_;
    MessageLabel* lblMsg_;
    double scale_ = 1.0;
    QPoint offset_;
    QPoint designPos_;
    bool shownOnce_ = false;
    bool paintedOnce_ = false;
};

}  // namespace velmora::qt
