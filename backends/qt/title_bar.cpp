#include "backends/qt/title_bar.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "backends/qt/fonts.h"
#include "player/plate_fit.h"

namespace velmora::qt {

namespace {

const QColor kInk(0x3b, 0x2d, 0x3a);
constexpr double kCaptionPoints = 9;

}  // namespace

TitleMark::TitleMark(QWidget* bar, const QString& name, const QString& does)
    : QAbstractButton(bar) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);  // Tab stays among the game's own buttons
    setAccessibleName(name);
    setAccessibleDescription(does);
}

TitleBar::TitleBar(QWidget* window, Buttons buttons)
    : QWidget(window),
      buttons_(buttons),
      closeMark_(new TitleMark(this, "閉じる", "このウィンドウを閉じます")) {
    setObjectName("titleBar");
    connect(closeMark_, &QAbstractButton::clicked, this, [this] { Press(true); });
    if (buttons == Buttons::MinimiseAndClose) {
        minimiseMark_ = new TitleMark(this, "最小化", "このウィンドウを最小化します");
        connect(minimiseMark_, &QAbstractButton::clicked, this, [this] { Press(false); });
    }
    setGeometry(0, 0, window->width(), kDesignHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TitleBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    closeMark_->setGeometry(closeButton());
    if (minimiseMark_) minimiseMark_->setGeometry(minimiseButton());
}

QRect TitleBar::closeButton() const {
    const int side = ButtonSide();
    const int margin = ButtonMargin();
    return {width() - side - margin, margin, side, side};
}

QRect TitleBar::minimiseButton() const {
    if (buttons_ != Buttons::MinimiseAndClose) return {};
    return closeButton().translated(-ButtonSide() - ButtonMargin(), 0);
}

QRect TitleBar::captionArea() const {
    const QRect minimise = minimiseButton();
    const int right = (minimise.isEmpty() ? closeButton() : minimise).left() - ButtonMargin();
    return QRect(QPoint(3, 0), QPoint(right, height() - 1));
}

// The design's captions carry leading spaces that only pushed the text
// towards the middle of a left-aligned caption; the bar centres it.
QString TitleBar::caption() const {
    return window()->windowTitle().trimmed();
}

void TitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool active = window()->isActiveWindow();
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, active ? QColor(0xb4, 0xdc, 0xf4) : QColor(0xe4, 0xe6, 0xea));
    fill.setColorAt(1, active ? QColor(0x8f, 0xc8, 0xee) : QColor(0xcc, 0xd0, 0xd6));
    painter.fillRect(rect(), fill);
    painter.setPen(kInk);
    painter.drawLine(0, height() - 1, width(), height() - 1);

    const double scale = double(height()) / kDesignHeight;
    const QFont font = GameFont(kPGothic, kCaptionPoints * scale);
    painter.setFont(font);
    painter.setPen(active ? kInk : QColor(0x70, 0x70, 0x78));
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = captionArea();
    const double wanted = QFontMetricsF(font, this).horizontalAdvance(caption());
    painter.save();
    painter.translate(area.center().x(), area.top());
    painter.scale(plates::Narrowing(wanted, area.width()), 1.0);
    const double width = std::max(wanted, area.width());
    painter.drawText(QRectF(-width / 2, 0, width, area.height()), Qt::AlignCenter, caption());
    painter.restore();

    if (!minimiseButton().isEmpty()) PaintButton(painter, minimiseButton(), false);
    PaintButton(painter, closeButton(), true);
}

// Drawn in proportion to its box, its outline one pixel of the screen: as
// sharp at a desktop scale factor on a small screen as at the design's size.
void TitleBar::PaintButton(QPainter& painter, QRect box, bool close) const {
    const bool pressed = box == pressedButton_;
    const double side = box.height();
    const double pixel = 1.0 / devicePixelRatioF();
    painter.setPen(QPen(kInk, 0));  // one pixel of the screen, at any scale
    painter.setBrush(pressed ? QColor(0x7a, 0xb0, 0xd8) : QColor(0xf4, 0xfa, 0xfe));
    const QRectF frame = QRectF(box).adjusted(pixel / 2, pixel / 2, -pixel / 2, -pixel / 2);
    painter.drawRoundedRect(frame, side * 3 / 14, side * 3 / 14);
    painter.setPen(QPen(kInk, std::max(pixel, side / 8), Qt::SolidLine, Qt::RoundCap));
    const QRectF mark = QRectF(box).adjusted(side * 0.3, side * 0.3, -side * 0.3, -side * 0.3);
    if (close) {
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.topRight(), mark.bottomLeft());
    } else {
        painter.drawLine(mark.bottomLeft(), mark.bottomRight());
    }
}

// Drawn brighter while its window is the active one.
bool TitleBar::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        update();
    return QWidget::event(event);
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    for (const QRect& button : {closeButton(), minimiseButton()}) {
        if (button.contains(at)) {
            pressedButton_ = button;
            update();
            return;
        }
    }
    emit captionPressed();
    // The window system moves the window where it can; by hand elsewhere.
    QWindow* handle = window()->windowHandle();
    if (handle && handle->startSystemMove()) return;
    dragging_ = true;
    dragFrom_ = event->globalPosition().toPoint() - window()->pos();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) window()->move(event->globalPosition().toPoint() - dragFrom_);
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    const QRect pressed = pressedButton_;
    pressedButton_ = {};
    update();
    if (pressed.isEmpty() || !pressed.contains(event->position().toPoint())) return;
    Press(pressed == closeButton());
}

void TitleBar::Press(bool close) {
    if (close) {
        window()->close();
    } else {
        window()->showMinimized();
    }
}

}  // namespace velmora::qt
