#include "platform/qt/main_window.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QTimer>

#include "platform/qt/design_pictures.h"
#include "platform/qt/fonts.h"
#include "platform/qt/twips.h"

namespace velmora::qt {

namespace {

constexpr double kPlateLeft = 5070;
constexpr double kPlateWidth = 2130;
constexpr double kPlateHeight = 585;

}  // namespace

MainWindow::MainWindow()
    : picMain_(new ScenePicture(this)),
      imgSub_(new QLabel(this)),
      picHinichi_(Plate("picHinichi", 210, DesignPlateDate())),
      picBasho_(Plate("picBasho", 855, DesignPlatePlace())),
      picture3_(Plate("Picture3", 1500, DesignPlateTime())),
      lblJikoku_(new QLabel("AM 9:00", picture3_)),
      lblMsg_(new MessageLabel(this)) {
    setObjectName("Form1");
    setWindowTitle("Velmora");
    setWindowIcon(DesignIcon());
    // A fixed border: it can be minimised and closed, never maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(PxSize(8535, 6180));
    // Where the game believes the window stands until the player moves it.
    move(Px(kMainWindowDesignPosition));

    picMain_->move(Px(450), Px(240));

    imgSub_->setObjectName("imgSub");
    imgSub_->setGeometry(PxRect(5070, 2220, 2130, 1920));
    imgSub_->setScaledContents(true);

    lblJikoku_->setObjectName("lblJikoku");
    lblJikoku_->setGeometry(PxRect(300, 40, 1815, 495));
    lblJikoku_->setFont(GameFont(kPGothic, 20.25));
    lblJikoku_->setTextFormat(Qt::PlainText);

    lblMsg_->setGeometry(PxRect(450, 4320, 6750, 1620));
    AddHiddenLabels();
}

QLabel* MainWindow::Plate(const char* name, int top, const QImage& picture) {
    auto* plate = new QLabel(this);
    plate->setObjectName(name);
    plate->setGeometry(PxRect(kPlateLeft, top, kPlateWidth, kPlateHeight));
    plate->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    plate->setPixmap(QPixmap::fromImage(picture));
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
        auto* label = new QLabel(QString::fromUtf8(each.caption), this);
        label->setObjectName(each.name);
        label->setGeometry(PxRect(5040, each.top, 2100, 495));
        label->setFont(GameFont(kPGothic, 12));
        label->hide();
    }
}

void MainWindow::ShowTime(const QString& text) {
    // The IPA face is a little wider than the one the plate was made for:
    // "PM 11:30" would lose its last digit.
    QFont font = GameFont(kPGothic, 20.25);
    const int wanted = QFontMetrics(font).horizontalAdvance(text);
    const int room = lblJikoku_->width();
    if (wanted > room) font.setStretch(std::max(50, room * 100 / wanted));
    lblJikoku_->setFont(font);
    lblJikoku_->setText(text);
}

void MainWindow::SetStage(double scale, QPoint offset) {
    if (scale_ == 1.0) designPos_ = pos();
    scale_ = scale;
    offset_ = offset;
    update();
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (scale_ != 1.0) {
        painter.fillRect(rect(), Qt::black);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(offset_);
        painter.scale(scale_, scale_);
        painter.setClipRect(QRect(QPoint(), PxSize(8535, 6180)));
    }
    painter.drawPixmap(0, 0, background_);  // from the top-left, clipped
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
    if (background_.isNull()) background_ = QPixmap::fromImage(DesignBackground());
    const QImage titleArt = DesignTitleArt();
    picMain_->Show(titleArt);
    picMain_->HideLayer();
    imgSub_->setPixmap(QPixmap::fromImage(titleArt));
    if (shownOnce_) {  // the plates were made with their design pictures
        picHinichi_->setPixmap(QPixmap::fromImage(DesignPlateDate()));
        picBasho_->setPixmap(QPixmap::fromImage(DesignPlatePlace()));
        ShowTime("AM 9:00");
    }
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

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closing();
}

}  // namespace velmora::qt
