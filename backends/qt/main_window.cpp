#include "backends/qt/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QTimer>

#include "backends/qt/design_pictures.h"
#include "backends/qt/fonts.h"
#include "backends/qt/game_dialog.h"
#include "backends/qt/twips.h"
#include "backends/qt/window_scaler.h"
#include "platform/platform.h"

namespace velmora::qt {

namespace {

constexpr double kPlateLeft = 5070;
constexpr double kPlateWidth = 2130;
constexpr double kPlateHeight = 585;

QSize ClientSize() {
    return PxSize(8535, 6180);
}

// The client area with the window's background, a sky picture drawn from
// the top-left corner and clipped.
class Backdrop : public QWidget {
  public:
    explicit Backdrop(QWidget* parent) : QWidget(parent) {
        setObjectName("client");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void SetPicture(const QPixmap& picture) { picture_ = picture; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const double scale = double(width()) / ClientSize().width();
        if (scale != 1.0) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.scale(scale, scale);
        }
        painter.drawPixmap(0, 0, picture_);
    }

  private:
    QPixmap picture_;
};

}  // namespace

MainWindow::MainWindow()
    : bar_(nullptr),
      client_(new Backdrop(this)),
      picMain_(new ScenePicture(client_)),
      imgSub_(new QLabel(client_)),
      picHinichi_(Plate("picHinichi", 210, DesignPlate::kDate)),
      picBasho_(Plate("picBasho", 855, DesignPlate::kPlace)),
      picture3_(Plate("Picture3", 1500, DesignPlate::kTime)),
      lblJikoku_(new TimeLabel(picture3_)),
      lblMsg_(new MessageLabel(client_)) {
    setObjectName("Form1");
    setWindowTitle("Velmora");
    setWindowIcon(DesignIcon());
    // A fixed border drawn by the window itself: it can be minimised and
    // closed, never maximised.
    // The window manager draws nothing (no title hint) but still moves the
    // window and takes it to full screen, as it would not a frameless one.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint);
    bar_ = new TitleBar(this, TitleBar::Buttons::MinimiseAndClose);
    client_->setGeometry(QRect(QPoint(0, TitleBar::kDesignHeight), ClientSize()));
    setFixedSize(DesignSize());
    bar_->setGeometry(0, 0, width(), TitleBar::kDesignHeight);
    // Where the game believes the window stands until the player moves it.
    move(Px(kMainWindowDesignPosition));

    picMain_->move(Px(450), Px(240));

    imgSub_->setObjectName("imgSub");
    imgSub_->setGeometry(PxRect(5070, 2220, 2130, 1920));
    imgSub_->setScaledContents(true);

    lblJikoku_->setGeometry(PxRect(300, 40, 1815, 495));

    lblMsg_->setGeometry(PxRect(450, 4320, 6750, 1620));
    AddHiddenLabels();
    picHinichi_->setAccessibleDescription("日付");
    picBasho_->setAccessibleDescription("場所");
    picMain_->setAccessibleDescription("場面の絵");
    picMain_->layer()->setAccessibleDescription("人物の絵");
    imgSub_->setAccessibleDescription("小さな絵");
}

QSize MainWindow::DesignSize() {
    return ClientSize() + QSize(0, TitleBar::kDesignHeight);
}

QSize MainWindow::DesignClientSize() {
    return ClientSize();
}

PlatePicture* MainWindow::Plate(const char* name, int top, DesignPlate picture) {
    auto* plate = new PlatePicture(client_);
    plate->setObjectName(name);
    plate->setGeometry(PxRect(kPlateLeft, top, kPlateWidth, kPlateHeight));
    plate->Show(DesignPlatePicture(picture), DesignPlatePictureLarge(picture));
    return plate;
}

// Leftovers of the design under the message label's right end; the game
// never shows them.
void MainWindow::AddHiddenLabels() {
    const struct {
        const char* name;
        const char* caption;
        int top;
    } labels[] = {{"lblHinichi", "４月１日", 4320},
                  {"lblJikan", "AM　9:00", 4920},
                  {"lblBasho", " アパート", 5400}};
    for (const auto& each : labels) {
        auto* label = new QLabel(QString::fromUtf8(each.caption), client_);
        label->setObjectName(each.name);
        label->setGeometry(PxRect(5040, each.top, 2100, 495));
        label->setFont(GameFont(kPGothic, 12));
        label->hide();
    }
}

void MainWindow::Lay(double scale) {
    fullScreen_ = false;
    scale_ = scale;
    const int barHeight = Scaled(TitleBar::kDesignHeight, scale);
    setFixedSize(Scaled(ClientSize(), scale) + QSize(0, barHeight));
    bar_->setGeometry(0, 0, width(), barHeight);
    bar_->show();
    ScaleClient(scale, {0, barHeight});
}

void MainWindow::LayFullScreen(double scale, QPoint clientAt) {
    fullScreen_ = true;
    scale_ = scale;
    bar_->hide();
    ScaleClient(scale, clientAt);
}

void MainWindow::ScaleClient(double scale, QPoint at) {
    client_->setGeometry(QRect(at, Scaled(ClientSize(), scale)));
    ScaleWindowContents(client_, scale);
    update();
    emit laidOut();
}

void MainWindow::paintEvent(QPaintEvent*) {
    // Only the bars around the scaled design in full screen show through.
    if (fullScreen_) QPainter(this).fillRect(rect(), Qt::black);
    if (!paintedOnce_) {
        paintedOnce_ = true;
        // The design's portrait layer is all transparent: it changes nothing
        // on the title screen, so it is made ready after the first frame.
        QTimer::singleShot(0, this, [this] {
            if (picMain_->layer()->pixmap().isNull()) picMain_->ShowLayer(DesignPortraitLayer());
        });
    }
}

// Compiled in as pixels: nothing to decode, only to hand to the window system.
void MainWindow::ShowDesignPictures() {
    static_cast<Backdrop*>(client_)->SetPicture(QPixmap::fromImage(DesignBackground()));
    const QImage titleArt = DesignTitleArt();
    picMain_->Show(titleArt);
    picMain_->HideLayer();
    imgSub_->setPixmap(QPixmap::fromImage(titleArt));
    if (shownOnce_) {  // the plates were made with their design pictures
        for (const auto& [plate, picture] : {std::pair{picHinichi_, DesignPlate::kDate},
                                             std::pair{picBasho_, DesignPlate::kPlace}}) {
            plate->Show(DesignPlatePicture(picture), DesignPlatePictureLarge(picture));
        }
        ShowTime("AM 9:00");
    }
    // The date's and the place's plates are drawn blank: they read nothing.
    // The title's hour is no news: a game loaded from the title is told its
    // own plates, never the title's time before them.
    picHinichi_->setAccessibleName(QString());
    lblJikoku_->setAccessibleName("午前9時");
    picBasho_->setAccessibleName(QString());
    picMain_->setAccessibleName(kDesignSceneWords);
    picMain_->layer()->setAccessibleName(QString());
    imgSub_->setAccessibleName(kDesignSceneWords);
}

void MainWindow::ReadPlatesAs(const QString& date, const QString& time, const QString& place) {
    if (!date.isEmpty()) picHinichi_->setAccessibleName(date);
    lblJikoku_->setAccessibleName(time);
    picBasho_->setAccessibleName(place);
    plateNews_.Show(date.toStdString(), time.toStdString(), place.toStdString());
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        ShowDesignPictures();
        emit resized();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Full screen is the player's comfort, not a resizing the game hears of.
    if (event->type() != QEvent::WindowStateChange) return;
    const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    if (!((old ^ windowState()) & Qt::WindowFullScreen)) emit resized();
}

// While a dialog of the game waits, the window system cannot close the main
// window: the game would end in the middle of its turn.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (GameDialogOpen()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closing();
}

}  // namespace velmora::qt
