#include "backends/qt/picture_window.h"

#include <QPixmap>

#include "backends/qt/twips.h"

namespace velmora::qt {

namespace {
constexpr char kWhatToPress[] = "次へ進みます（クリック・Enter・Space）";
}  // namespace

PictureWindow::PictureWindow(QWidget* owner, const QImage& picture, const QString& words)
    : GameDialog(owner, "Form7", "", PxSize(9135, 6375), Border::None),
      image1_(new ClickableLabel(client())) {
    image1_->setObjectName("Image1");
    image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (picture.isNull()) {
        // Without a picture the whole window takes the click, or the game
        // could never go on.
        image1_->setGeometry(client()->rect());
    } else {
        image1_->setPixmap(QPixmap::fromImage(picture));
        image1_->setGeometry(QRect(QPoint(0, 0), picture.size()));  // own size, not stretched
    }
    image1_->setFocusPolicy(Qt::StrongFocus);
    image1_->setAccessibleName(words);
    image1_->setAccessibleDescription(QString::fromUtf8(kWhatToPress));
    // What to press is said once, with the picture the focus comes to.
    setAccessibleName(words);
    setFocusProxy(image1_);
    // The game never moves this window: it opens where it was designed.
    PlaceAt({Px(330), Px(60)});
}

void PictureWindow::Pass() {
    emit image1_->clicked();
}

void PictureWindow::WaitClick() {
    image1_->setFocus();
    WaitFor(image1_, &ClickableLabel::clicked);
}

}  // namespace velmora::qt
