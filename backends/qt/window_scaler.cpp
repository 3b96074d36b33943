#include "backends/qt/window_scaler.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

#include "backends/qt/focus_look.h"
#include "backends/qt/scene_picture.h"
#include "backends/qt/title_bar.h"

namespace velmora::qt {

namespace {

constexpr const char* kDesignGeometry = "velmoraDesignGeometry";
constexpr const char* kDesignFont = "velmoraDesignFont";
constexpr const char* kDesignFixed = "velmoraDesignFixed";
constexpr const char* kDesignStretched = "velmoraDesignStretched";
constexpr const char* kDesignMargins = "velmoraDesignMargins";
constexpr const char* kDesignSpacing = "velmoraDesignSpacing";

// The design is remembered the first time a widget is scaled.
void Remember(QWidget* widget) {
    if (widget->property(kDesignGeometry).isValid()) return;
    widget->setProperty(kDesignGeometry, widget->geometry());
    widget->setProperty(kDesignFont, widget->font());
    widget->setProperty(kDesignFixed, widget->minimumSize() == widget->maximumSize());
    if (auto* label = qobject_cast<QLabel*>(widget))
        widget->setProperty(kDesignStretched, label->hasScaledContents());
}

void RememberFont(QWidget* widget) {
    if (!widget->property(kDesignFont).isValid()) widget->setProperty(kDesignFont, widget->font());
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

// Scroll bars, check boxes and sliders drawn at the window's scale: the
// style's own are as large at any scale, so that a small list's bars would
// take its entries' width and a switch or a slider beside large words would
// be a speck. Drawn otherwise as the game draws its windows (FocusLook).
class ScaledControls : public FocusLook {
  public:
    explicit ScaledControls(double scale) : scale_(scale) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = FocusLook::pixelMetric(metric, option, widget);
        switch (metric) {
            case PM_ScrollBarExtent:
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight:
            case PM_SliderThickness:
            case PM_SliderControlThickness:
            case PM_SliderLength:
            case PM_SliderTickmarkOffset:
                return std::max(1, Scaled(value, scale_));
            default:
                return value;
        }
    }

  private:
    double scale_;
};

void ScaleControls(QWidget* window, double scale) {
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (qobject_cast<QScrollBar*>(widget) || qobject_cast<QCheckBox*>(widget) ||
            qobject_cast<QRadioButton*>(widget) || qobject_cast<QSlider*>(widget))
            controls << widget;
    }
    if (controls.isEmpty()) return;
    // One style for the window's controls at this scale, the one before let go.
    auto* style = new ScaledControls(scale);
    style->setParent(window);
    for (QWidget* control : controls) {
        QStyle* before = control->style();
        control->setStyle(style);
        if (auto* old = dynamic_cast<ScaledControls*>(before); old && old->parent() == window)
            old->deleteLater();
    }
}

// The margins and the spacing the style gave the layout, as they were first.
void ScaleLayout(QLayout* layout, double scale) {
    auto* form = qobject_cast<QFormLayout*>(layout);
    if (!layout->property(kDesignMargins).isValid()) {
        layout->setProperty(kDesignMargins, QVariant::fromValue(layout->contentsMargins()));
        layout->setProperty(kDesignSpacing,
                            form ? QSize(form->horizontalSpacing(), form->verticalSpacing())
                                 : QSize(layout->spacing(), layout->spacing()));
    }
    const QMargins m = layout->property(kDesignMargins).value<QMargins>();
    layout->setContentsMargins(Scaled(m.left(), scale), Scaled(m.top(), scale),
                               Scaled(m.right(), scale), Scaled(m.bottom(), scale));
    const QSize spacing = Scaled(layout->property(kDesignSpacing).toSize(), scale);
    if (form) {
        form->setHorizontalSpacing(spacing.width());
        form->setVerticalSpacing(spacing.height());
    } else {
        layout->setSpacing(spacing.width());
    }
}

}  // namespace

void ScaleLaidOut(QWidget* window, double scale) {
    QList<QWidget*> widgets;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isWindow() && widget->window() == window && !qobject_cast<TitleBar*>(widget))
            widgets << widget;
    }
    // Every design font first: a child's is its parent's until it is given its own.
    for (QWidget* widget : widgets) RememberFont(widget);
    for (QWidget* widget : widgets) ScaleFont(widget, scale);
    for (QLayout* layout : window->findChildren<QLayout*>()) ScaleLayout(layout, scale);
    ScaleControls(window, scale);
}

void ScaleWindowContents(QWidget* window, double scale, QPoint offset) {
    ScaleChildren(window, scale, offset);
    ScaleControls(window, scale);
}

}  // namespace velmora::qt
