#include "backends/qt/scene_picture.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QPixmap>

#include "player/line_portrait.h"

namespace velmora::qt {

namespace {

const QColor kLightYellow(255, 255, 192);

ConstPixelView ViewOf(const QImage& image) {
    return {reinterpret_cast<const uint32_t*>(image.constBits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

PixelView ViewOf(QImage& image) {
    return {reinterpret_cast<uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

// The box is a picture to a screen reader, as the portrait's label over it is.
QAccessibleInterface* ScenePictureAsGraphic(const QString& className, QObject* object) {
    if (className != QLatin1String(ScenePicture::staticMetaObject.className())) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

}  // namespace

ScenePicture::ScenePicture(QWidget* parent)
    : QWidget(parent),
      canvas_(kSceneWidth, kSceneHeight, QImage::Format_RGB32),
      layer_(new QLabel(this)) {
    setObjectName("picMain");
    static const bool asGraphic = (QAccessible::installFactory(ScenePictureAsGraphic), true);
    (void)asGraphic;
    setFixedSize(kSceneWidth, kSceneHeight);
    canvas_.fill(kLightYellow);
    layer_->setObjectName("imgMain");
    layer_->move(0, 0);
}

void ScenePicture::Show(const QImage& picture, int litPicture, Light light) {
    picture_ = picture;
    painted_ = QImage();
    litPicture_ = litPicture;
    light_ = light;
    Compose();
}

void ScenePicture::Clear() {
    Show(QImage());
}

void ScenePicture::Relight(Light light) {
    if (light == light_) return;
    light_ = light;
    Compose();
}

// The picture at its own size, clipped by the box, in the light of the
// hour; then whatever line mode painted over it.
void ScenePicture::Compose() {
    canvas_.fill(kLightYellow);
    if (!picture_.isNull()) {
        QPainter(&canvas_).drawImage(0, 0, picture_);
        PaintLight(ViewOf(canvas_), litPicture_, light_);
    }
    if (!painted_.isNull()) QPainter(&canvas_).drawImage(0, 0, painted_);
    update();
}

void ScenePicture::PaintPortrait(const QImage& portrait) {
    if (portrait.isNull()) return;
    const QImage pixels = portrait.convertToFormat(QImage::Format_RGB32);
    if (painted_.isNull()) {
        painted_ = QImage(kSceneWidth, kSceneHeight, QImage::Format_ARGB32);
        painted_.fill(Qt::transparent);
    }
    PaintPortraitLines(ViewOf(pixels), ViewOf(painted_));
    PaintPortraitRows(ViewOf(pixels), ViewOf(canvas_), 0);
    repaint();  // the player sees the even rows before the odd ones
    PaintPortraitRows(ViewOf(pixels), ViewOf(canvas_), 1);
    update();
}

void ScenePicture::ShowLayer(const QImage& picture) {
    const QPixmap pixmap = QPixmap::fromImage(picture);
    layer_->setPixmap(pixmap);
    layer_->resize(pixmap.size() * scale_);
    layer_->move(0, 0);
}

void ScenePicture::HideLayer() {
    layer_->move(int(kHiddenLayerLeft * scale_), 0);
}

void ScenePicture::SetScale(double scale) {
    const bool hidden = layer_->x() != 0;
    scale_ = scale;
    setFixedSize(QSize(kSceneWidth, kSceneHeight) * scale);
    layer_->setScaledContents(scale != 1.0);
    layer_->resize(layer_->pixmap().size() * scale);
    if (hidden) HideLayer();
    update();
}

void ScenePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (scale_ == 1.0) {
        painter.drawImage(0, 0, canvas_);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), canvas_);
    }
}

}  // namespace velmora::qt
