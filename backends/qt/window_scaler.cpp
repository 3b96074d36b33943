#include "backends/qt/window_scaler.h"

#include <QLabel>

#include "backends/qt/scene_picture.h"
#include "backends/qt/title_bar.h"

namespace velmora::qt {

namespace {

constexpr const char* kDesignGeometry = "velmoraDesignGeometry";
constexpr const char* kDesignFont = "velmoraDesignFont";
constexpr const char* kDesignFixed = "velmoraDesignFixed";
constexpr const char* kDesignStretched = "velmoraDesignStretched";

// The design is remembered the first time a widget is scaled.
void Remember(QWidget* widget) {
    if (widget->property(kDesignGeometry).isValid()) return;
    widget->setProperty(kDesignGeometry, widget->geometry());
    widget->setProperty(kDesignFont, widget->font());
    widget->setProperty(kDesignFixed, widget->minimumSize() == widget->maximumSize());
    if (auto* label = qobject_cast<QLabel*>(widget))
        widget->setProperty(kDesignStretched, label->hasScaledContents());
}

void ScaleFont(QWidget* widget, double scale) {
    QFont font = widget->property(kDesignFont).value<QFont>();
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * scale);
    widget->setFont(font);
}

void ScaleWidget(QWidget* widget, double scale, QPoint offset) {
    Remember(widget);
    const QRect design = widget->property(kDesignGeometry).toRect();
    const QRect scaled(Scaled(design.x(), scale) + offset.x(),
                       Scaled(design.y(), scale) + offset.y(), Scaled(design.width(), scale),
                       Scaled(design.height(), scale));
    if (auto* scene = qobject_cast<ScenePicture*>(widget)) {
        scene->SetScale(scale);
        scene->move(scaled.topLeft());
        return;
    }
    if (widget->property(kDesignFixed).toBool()) widget->setFixedSize(scaled.size());
    widget->setGeometry(scaled);
    ScaleFont(widget, scale);
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->pixmap().isNull())
        label->setScaledContents(scale != 1.0 || label->property(kDesignStretched).toBool());
}

void ScaleChildren(QWidget* parent, double scale, QPoint offset) {
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // The title bar is laid out by its window, at the scaled height.
        if (child->isWindow() || qobject_cast<TitleBar*>(child)) continue;
        ScaleWidget(child, scale, offset);
        if (!qobject_cast<ScenePicture*>(child)) ScaleChildren(child, scale, {});
    }
}

}  // namespace

void ScaleWindowContents(QWidget* window, double scale, QPoint offset) {
    ScaleChildren(window, scale, offset);
}

}  // namespace velmora::qt
